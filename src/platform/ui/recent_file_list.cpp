#include "platform/ui/recent_file_list.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("Recent File List");
}

RecentFileList::RecentFileList(int size, QObject* parent)
    : QObject(parent)
    , m_size(size)
{
}

void RecentFileList::Load()
{
    QSettings settings;
    settings.beginGroup(kGroup);
    m_files.clear();
    for (int i = 1; i <= m_size; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
    UpdateMenu();
}

void RecentFileList::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > m_size)
        m_files.removeLast();
    Save();
    UpdateMenu();
}

void RecentFileList::Remove(const QString& path)
{
    if (m_files.removeAll(path) == 0)
        return;
    Save();
    UpdateMenu();
}

void RecentFileList::Attach(QMenu* menu, QAction* placeholder)
{
    m_menu = menu;
    m_placeholder = placeholder;
    UpdateMenu();
}

void RecentFileList::Save() const
{
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 1; i <= m_size; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_files.size())
            settings.setValue(key, m_files.at(i - 1));
        else
            settings.remove(key);
    }
}

void RecentFileList::UpdateMenu()
{
    if (!m_menu || !m_placeholder)
        return;
    qDeleteAll(m_entries);
    m_entries.clear();
    m_placeholder->setVisible(m_files.isEmpty());
    const int firstId = m_placeholder->data().toInt();
    for (int i = 0; i < m_files.size(); ++i) {
        const QString path = m_files.at(i);
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), m_menu);
        action->setData(firstId + i);
        action->setObjectName(QStringLiteral("cmd%1").arg(firstId + i));
        m_menu->insertAction(m_placeholder, action);
        connect(action, &QAction::triggered, this, [this, path] { Q_EMIT fileChosen(path); });
        m_entries.append(action);
    }
}
