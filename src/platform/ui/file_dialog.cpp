#include "platform/ui/file_dialog.h"

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include <utility>

namespace {
FileDialogHandler& Handler()
{
    static FileDialogHandler handler;
    return handler;
}

// "*.dig" from a filter text such as "Radio Program Data Files(*.dig)".
QString Suffix(const QString& filter)
{
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    const qsizetype end = filter.indexOf(QLatin1Char(')'), star);
    if (star < 0 || end < 0)
        return {};
    return filter.mid(star + 2, end - star - 2);
}
}

std::string AskFileName(QWidget* owner, const FileDialogRequest& request)
{
    if (Handler())
        return Handler()(request);

    const QString filter = QString::fromStdString(request.filter);
    QFileDialog dialog(owner);
    dialog.setNameFilters(QStringList{filter});
    dialog.setDefaultSuffix(Suffix(filter));
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(QString::fromStdString(request.defaultName));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}
