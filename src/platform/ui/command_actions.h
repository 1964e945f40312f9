#pragma once
// Every command of the main window as one QAction carrying its numeric
// command ID (QAction::data), shared by the menu, the toolbar and the
// accelerators built from their templates. A command runs the one handler
// registered for its ID; a command without a handler does nothing.
// UI thread only.

#include <QObject>

#include <functional>
#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;
struct AccelTemplate;
struct MenuTemplate;
struct ToolbarTemplate;

class CommandActions : public QObject {
    Q_OBJECT
public:
    // Shortcuts of the actions act anywhere inside window.
    explicit CommandActions(QWidget* window);

    // The action of a command, created on first use.
    QAction* Action(int commandId);
    // The action of a command if it exists, else nullptr.
    QAction* FindAction(int commandId) const;

    // Fills the menu bar; returns the drop-down that holds the recent-file
    // placeholder (nullptr when the template has none).
    QMenu* BuildMenu(QMenuBar* bar, const MenuTemplate& t);
    // The placeholder action of the recent-file list after BuildMenu.
    QAction* RecentFilesPlaceholder() const { return m_recentPlaceholder; }
    QMenu* RecentFilesMenu() const { return m_recentMenu; }

    // Adds buttons with images ":/toolbar/<command ID>.xpm".
    void BuildToolbar(QToolBar* bar, const ToolbarTemplate& t);

    // Adds every key of the table to its command's action.
    void AddAccelerators(const AccelTemplate& t);

    // Registers the handler of a command, replacing any earlier one.
    void SetHandler(int commandId, std::function<void()> handler);

    // Runs a command as if chosen from the menu; false when nothing handles it.
    bool Execute(int commandId);

Q_SIGNALS:
    void commandExecuted(int commandId);

private:
    QWidget* m_window;
    std::map<int, QAction*> m_actions;
    std::map<int, std::function<void()>> m_handlers;
    QAction* m_recentPlaceholder = nullptr;
    QMenu* m_recentMenu = nullptr;
};
