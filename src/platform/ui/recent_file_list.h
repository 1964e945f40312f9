#pragma once
// The most-recently-used file list of the File menu: up to a fixed number of
// paths, newest first, kept in the user's settings (QSettings) and shown as
// numbered entries in place of the menu's placeholder. UI thread only.

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

class RecentFileList : public QObject {
    Q_OBJECT
public:
    RecentFileList(int size, QObject* parent = nullptr);

    // Reads the list from the settings.
    void Load();
    // Puts path first (moving it if listed), drops the oldest, saves.
    void Add(const QString& path);
    // Drops path (a file that could not be opened), saves.
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }

    // Shows the entries in menu in place of placeholder (which is shown,
    // disabled, while the list is empty). Called again after every change.
    void Attach(QMenu* menu, QAction* placeholder);

Q_SIGNALS:
    void fileChosen(const QString& path);

private:
    void Save() const;
    void UpdateMenu();

    int m_size;
    QStringList m_files;
    QMenu* m_menu = nullptr;
    QAction* m_placeholder = nullptr;
    QList<QAction*> m_entries;
};
