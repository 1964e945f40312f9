#include "platform/ui/message_box.h"

#include "templates/command_ids.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include <utility>

namespace {
MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & 0xF0u) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A handler's answer reduced to the buttons the box really has.
int Allowed(unsigned buttons, int answer)
{
    switch (buttons) {
    case MB_OKCANCEL:
        return answer == IDOK ? IDOK : IDCANCEL;
    case MB_YESNOCANCEL:
        return answer == IDYES || answer == IDNO ? answer : IDCANCEL;
    default:
        return IDOK;
    }
}
}

int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption,
    unsigned type)
{
    const unsigned buttons = type & 0x0Fu;
    if (Handler())
        return Allowed(buttons, Handler()(MessageBoxRecord{text, caption, type}));

    QMessageBox box(IconOf(type), QString::fromStdString(caption), QString::fromStdString(text),
        QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    // Screen readers announce the box by its caption and read its text.
    box.setAccessibleName(QString::fromStdString(caption));
    box.setAccessibleDescription(QString::fromStdString(text));
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    if (buttons == MB_YESNOCANCEL) {
        yes = box.addButton(QMessageBox::Yes);
        no = box.addButton(QMessageBox::No);
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
        box.setDefaultButton(yes);
    } else {
        ok = box.addButton(QMessageBox::Ok);
        box.setEscapeButton(buttons == MB_OKCANCEL ? box.addButton(QMessageBox::Cancel) : ok);
        box.setDefaultButton(ok);
    }
    box.exec();
    const auto* clicked = box.clickedButton();
    if (ok)
        return clicked == ok || buttons != MB_OKCANCEL ? IDOK : IDCANCEL;
    if (clicked == yes)
        return IDYES;
    if (clicked == no)
        return IDNO;
    return IDCANCEL;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}
