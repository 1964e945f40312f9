#include "platform/ui/dialog_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace {
const char* const kControlIdProperty = "controlId";
const char* const kSortedProperty = "sortedList";

int MulDiv(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

QString Text(const ControlTemplate& c)
{
    return c.text ? QString::fromUtf8(c.text) : QString();
}

Qt::Alignment LabelAlignment(unsigned style)
{
    if (style & CS_CENTER)
        return Qt::AlignHCenter | Qt::AlignTop;
    if (style & CS_RIGHT)
        return Qt::AlignRight | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

QWidget* MakeStandard(const ControlTemplate& c, QWidget* parent, const QSize& base)
{
    switch (c.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(Text(c), parent);
        label->setAlignment(LabelAlignment(c.style));
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        if (c.style & CS_BORDER)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Statics never take clicks, as on the original platform.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        return label;
    }
    case ControlKind::Icon: {
        auto* label = new QLabel(parent);
        const int side = std::min(MulDiv(c.cx, base.width(), 4), MulDiv(c.cy, base.height(), 8));
        label->setPixmap(QApplication::windowIcon().pixmap(std::max(side, 16)));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        return label;
    }
    case ControlKind::GroupBox: {
        auto* box = new QGroupBox(Text(c), parent);
        // A frame drawn around siblings must not swallow their clicks.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    }
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* button = new QPushButton(Text(c), parent);
        button->setAutoDefault(false);
        button->setDefault(c.kind == ControlKind::DefPushButton);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(Text(c), parent);
    case ControlKind::RadioButton:
        return new QRadioButton(Text(c), parent);
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(Text(c), parent);
        if (c.style & CS_PASSWORD)
            edit->setEchoMode(QLineEdit::Password);
        edit->setReadOnly(c.style & CS_READONLY);
        return edit;
    }
    case ControlKind::ComboDropList:
    case ControlKind::ComboDropDown: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(c.kind == ControlKind::ComboDropDown);
        combo->setProperty(kSortedProperty, (c.style & CS_SORT) != 0);
        // The template's height is that of the dropped list.
        const int dropped = MulDiv(c.cy, base.height(), 8);
        combo->setMaxVisibleItems(std::max(3, dropped / std::max(1, base.height()) - 1));
        return combo;
    }
    case ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSortingEnabled(c.style & CS_SORT);
        return list;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        bar->setRange(0, 100);
        bar->setValue(0);
        return bar;
    }
    case ControlKind::ScrollBarHorz:
        return new QScrollBar(Qt::Horizontal, parent);
    case ControlKind::ScrollBarVert:
        return new QScrollBar(Qt::Vertical, parent);
    case ControlKind::Custom:
        break;
    }
    // A custom class nobody registered: an empty placeholder of the right size.
    auto* placeholder = new QWidget(parent);
    placeholder->setAutoFillBackground(true);
    return placeholder;
}

bool IsCombo(const ControlTemplate& c)
{
    return c.kind == ControlKind::ComboDropList || c.kind == ControlKind::ComboDropDown;
}
}

QFont DialogBuilder::DialogFont(const DialogTemplate& t)
{
    static const bool substituted = [] {
        // The condensed face has the original dialog font's base units (6 x 13
        // at 8 points), so forms keep their designed size.
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
            {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                QStringLiteral("WenQuanYi Micro Hei")});
        return true;
    }();
    (void)substituted;
    QFont font(QString::fromUtf8(t.fontName ? t.fontName : "MS Sans Serif"));
    font.setPointSize(t.pointSize > 0 ? t.pointSize : 8);
    return font;
}

QSize DialogBuilder::BaseUnits(const QFont& font)
{
    // The platform's own rule: the width of the 52 letters, halved twice with
    // rounding, and the full character height.
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize(std::max(1, (width / 26 + 1) / 2), std::max(1, metrics.height()));
}

QRect DialogBuilder::ToPixels(const QRect& units, const QSize& baseUnits)
{
    return QRect(MulDiv(units.x(), baseUnits.width(), 4), MulDiv(units.y(), baseUnits.height(), 8),
        MulDiv(units.width(), baseUnits.width(), 4), MulDiv(units.height(), baseUnits.height(), 8));
}

QSize DialogBuilder::Build(QWidget* host, const DialogTemplate& t, const ControlFactory& factory)
{
    const QFont font = DialogFont(t);
    host->setFont(font);
    const QSize base = BaseUnits(font);
    const QSize client = ToPixels(QRect(0, 0, t.cx, t.cy), base).size();

    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < t.controlCount; ++i) {
        const ControlTemplate& c = t.controls[i];
        QWidget* w = factory ? factory(c, host) : nullptr;
        if (!w)
            w = MakeStandard(c, host, base);
        if (w->parentWidget() != host)
            w->setParent(host);
        w->setProperty(kControlIdProperty, c.id);
        w->setObjectName(QStringLiteral("ctl%1").arg(c.id));
        w->setFont(font);

        QRect r = ToPixels(QRect(c.x, c.y, c.cx, c.cy), base);
        if (IsCombo(c))
            r.setHeight(std::min(r.height(), w->sizeHint().height()));
        w->setGeometry(r);
        w->setVisible(!(c.style & CS_HIDDEN));
        w->setEnabled(!(c.style & CS_DISABLED));
        // Widgets are raised in creation order already; the tab order follows too.
        if (previous && w->focusPolicy() != Qt::NoFocus)
            QWidget::setTabOrder(previous, w);
        if (w->focusPolicy() != Qt::NoFocus)
            previous = w;
    }
    return client;
}

int DialogBuilder::ControlId(const QWidget* widget)
{
    const QVariant id = widget ? widget->property(kControlIdProperty) : QVariant();
    return id.isValid() ? id.toInt() : 0;
}

QWidget* DialogBuilder::FindControl(const QWidget* host, int id)
{
    if (!host)
        return nullptr;
    for (QObject* child : host->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w->property(kControlIdProperty).isValid() && ControlId(w) == id)
            return w;
    }
    return nullptr;
}

int DialogBuilder::AddString(QComboBox* combo, const QString& text)
{
    int index = combo->count();
    if (combo->property(kSortedProperty).toBool()) {
        // Case-insensitive, as the list control sorts.
        for (int i = 0; i < combo->count(); ++i) {
            if (QString::compare(text, combo->itemText(i), Qt::CaseInsensitive) < 0) {
                index = i;
                break;
            }
        }
    }
    combo->insertItem(index, text);
    return index;
}
