#pragma once
// Builds Qt widgets from a dialog template: one child per control, in
// template order (so the child order, the stacking order and the tab order
// are the template's), each carrying its control ID as the property
// "controlId" and the object name "ctl<ID>". Rectangles are converted from
// dialog units measured on the template's font. UI thread only.

#include "templates/dialog_template.h"

#include <QFont>
#include <QRect>
#include <QSize>

#include <functional>

class QComboBox;
class QString;
class QWidget;

// Makes the widget for a control itself (a subclass, or a registered custom
// class), or returns nullptr to let the builder make the standard one.
using ControlFactory = std::function<QWidget*(const ControlTemplate&, QWidget* parent)>;

class DialogBuilder {
public:
    // The template's font ("MS Sans Serif" maps to the desktop's sans serif).
    static QFont DialogFont(const DialogTemplate& t);

    // Horizontal base unit (average character width) and vertical base unit
    // (character height) of a font, in pixels.
    static QSize BaseUnits(const QFont& font);

    // A rectangle in dialog units converted to pixels for the given base units.
    static QRect ToPixels(const QRect& units, const QSize& baseUnits);

    // Sets host's font and size (client area of the template) and creates all
    // controls as its children. Returns the client size in pixels.
    static QSize Build(QWidget* host, const DialogTemplate& t, const ControlFactory& factory = {});

    // The control ID a widget carries, or 0 when it has none.
    static int ControlId(const QWidget* widget);

    // The direct child with that control ID, or nullptr.
    static QWidget* FindControl(const QWidget* host, int id);

    // Adds a list entry the way a list control does: at the end, or at its
    // alphabetical place when the list was created sorted. Returns the index.
    static int AddString(QComboBox* combo, const QString& text);
};
