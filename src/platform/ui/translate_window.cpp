#include "platform/ui/translate_window.h"

#include "platform/ui/accessible_names.h"
#include "platform/ui/dialog_builder.h"
#include "shell/lang_string.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <string>

void SetControlText(QWidget* control, const char* utf8Text)
{
    const QString text = QString::fromUtf8(utf8Text);
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(control))
        box->setTitle(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        // A drop-down list has no text of its own; one with an edit field does.
        if (combo->isEditable())
            combo->setEditText(text);
    } else
        control->setWindowTitle(text);
}

void TranslateWindow(QWidget* window, int dialogId)
{
    if (!window)
        return;
    const std::string caption = LoadResourceText(dialogId);
    if (!caption.empty())
        window->setWindowTitle(QString::fromStdString(caption));

    for (QObject* child : window->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || !w->property("controlId").isValid())
            continue;
        const std::string text = LoadResourceText(DialogBuilder::ControlId(w));
        if (!text.empty())
            SetControlText(w, text.c_str());
    }
    // Screen readers get the texts just set, in the same language.
    UpdateAccessibleNames(window);
    NameToolbarButtons(window->window());
}
