#include "platform/ui/accessible_names.h"

#include "platform/ui/dialog_builder.h"
#include "shell/lang_string.h"

#include <QAbstractButton>
#include <QAction>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QToolBar>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

namespace {
// Controls that stand without a label of their own, and the [String] key that
// names them instead.
struct NamedControl
{
    int id;
    const char* key;
};
constexpr NamedControl kNamedControls[] = {
    { 1016, "IDS_ACC_CHANNELTABLE" },
    { 1009, "IDS_ACC_PROGRESS" },
};

QString KeyName(int id)
{
    for (const NamedControl& control : kNamedControls) {
        if (control.id != id)
            continue;
        const std::string text = LoadLangString(control.key);
        return text == "Not Found" ? QString() : QString::fromStdString(text);
    }
    return {};
}

bool SpeaksOwnText(const QWidget* w)
{
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w)
        || qobject_cast<const QGroupBox*>(w);
}

// Statics without a control ID are decoration (scale marks such as "0" and
// "255"); an empty label says nothing.
bool IsNamingLabel(const QLabel* label)
{
    return label && DialogBuilder::ControlId(label) > 0 && !label->text().trimmed().isEmpty();
}
}

QLabel* LabelBeside(const QWidget* control)
{
    const QWidget* host = control ? control->parentWidget() : nullptr;
    if (!host)
        return nullptr;
    const QRect c = control->geometry();
    const int charWidth = std::max(1, QFontMetrics(control->font()).averageCharWidth());
    const int maxLeftGap = 12 * charWidth;
    const int alignSlack = 2 * charWidth;

    QLabel* left = nullptr;
    int leftGap = INT_MAX;
    QLabel* above = nullptr;
    int aboveGap = INT_MAX;
    for (QObject* child : host->children()) {
        auto* label = qobject_cast<QLabel*>(child);
        if (!IsNamingLabel(label))
            continue;
        const QRect l = label->geometry();
        const bool sameRow = l.top() <= c.bottom() && l.bottom() >= c.top();
        if (sameRow && l.right() <= c.left() + 1) {
            const int gap = c.left() - l.right();
            if (gap <= maxLeftGap && gap < leftGap) {
                left = label;
                leftGap = gap;
            }
            continue;
        }
        const bool aligned = std::abs(l.left() - c.left()) <= alignSlack;
        if (aligned && l.bottom() <= c.top() + 1) {
            const int gap = c.top() - l.bottom();
            if (gap <= l.height() && gap < aboveGap) {
                above = label;
                aboveGap = gap;
            }
        }
    }
    return left ? left : above;
}

void UpdateAccessibleNames(QWidget* window)
{
    if (!window)
        return;
    for (QObject* child : window->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || DialogBuilder::ControlId(control) == 0 || SpeaksOwnText(control))
            continue;
        const QString fromKey = KeyName(DialogBuilder::ControlId(control));
        if (!fromKey.isEmpty()) {
            control->setAccessibleName(fromKey);
            continue;
        }
        if (QLabel* label = LabelBeside(control)) {
            control->setAccessibleName(label->text());
            label->setBuddy(control);
        }
    }
}

void NameToolbarButtons(QWidget* frame)
{
    if (!frame)
        return;
    for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            const int id = action->data().toInt();
            QWidget* button = bar->widgetForAction(action);
            if (id == 0 || !button)
                continue;
            button->setAccessibleName(
                QString::fromStdString(LoadLangString("IDS_TIP_" + std::to_string(id))));
        }
    }
}
