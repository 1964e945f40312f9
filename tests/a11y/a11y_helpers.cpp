#include "a11y/a11y_helpers.h"

#include <QAccessible>
#include <QWidget>

QString SpokenName(QWidget* control)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    if (!iface)
        return {};
    if (iface->role() != QAccessible::ComboBox)
        return iface->text(QAccessible::Name);
    for (const auto& [label, relation] : iface->relations(QAccessible::Label))
        return label->text(QAccessible::Name);
    return {};
}
