#include "platform/ui/command_actions.h"

#include "templates/accel_template.h"
#include "templates/menu_template.h"
#include "templates/toolbar_template.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QString>
#include <QToolBar>
#include <QWidget>

#include <utility>
#include <vector>

namespace {
Qt::Key QtKey(int key)
{
    switch (key) {
    case VKEY_BACK:
        return Qt::Key_Backspace;
    case VKEY_INSERT:
        return Qt::Key_Insert;
    case VKEY_DELETE:
        return Qt::Key_Delete;
    default:
        break;
    }
    if (key >= VKEY_F6 - 5 && key <= VKEY_F6 + 6)
        return static_cast<Qt::Key>(Qt::Key_F1 + (key - (VKEY_F6 - 5)));
    // Letters and digits are their ASCII codes in both worlds.
    return static_cast<Qt::Key>(key);
}

QKeySequence Sequence(const AccelEntry& e)
{
    Qt::KeyboardModifiers mods;
    if (e.modifiers & ACCEL_CONTROL)
        mods |= Qt::ControlModifier;
    if (e.modifiers & ACCEL_SHIFT)
        mods |= Qt::ShiftModifier;
    if (e.modifiers & ACCEL_ALT)
        mods |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(mods, QtKey(e.key)));
}
}

CommandActions::CommandActions(QWidget* window)
    : QObject(window)
    , m_window(window)
{
}

QAction* CommandActions::Action(int commandId)
{
    if (QAction* existing = FindAction(commandId))
        return existing;
    auto* action = new QAction(m_window);
    action->setData(commandId);
    action->setObjectName(QStringLiteral("cmd%1").arg(commandId));
    action->setShortcutContext(Qt::WindowShortcut);
    m_window->addAction(action);
    connect(action, &QAction::triggered, this, [this, commandId] { Execute(commandId); });
    m_actions.emplace(commandId, action);
    return action;
}

QAction* CommandActions::FindAction(int commandId) const
{
    const auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

QMenu* CommandActions::BuildMenu(QMenuBar* bar, const MenuTemplate& t)
{
    std::vector<QMenu*> stack;
    QMenu* recentMenu = nullptr;
    for (std::size_t i = 0; i < t.count; ++i) {
        const MenuEntry& e = t.entries[i];
        const QString text = QString::fromUtf8(e.text ? e.text : "");
        switch (e.kind) {
        case MenuEntryKind::Popup: {
            QMenu* menu = stack.empty() ? bar->addMenu(text) : stack.back()->addMenu(text);
            menu->setObjectName(QStringLiteral("menu%1").arg(i));
            stack.push_back(menu);
            break;
        }
        case MenuEntryKind::EndPopup:
            if (!stack.empty())
                stack.pop_back();
            break;
        case MenuEntryKind::Separator:
            if (!stack.empty())
                stack.back()->addSeparator();
            break;
        case MenuEntryKind::Command:
            if (!stack.empty()) {
                QAction* action = Action(e.commandId);
                action->setText(text);
                stack.back()->addAction(action);
            }
            break;
        case MenuEntryKind::RecentFiles:
            if (!stack.empty()) {
                m_recentPlaceholder = stack.back()->addAction(text);
                m_recentPlaceholder->setData(e.commandId);
                m_recentPlaceholder->setEnabled(false);
                recentMenu = stack.back();
            }
            break;
        }
    }
    m_recentMenu = recentMenu;
    return recentMenu;
}

void CommandActions::BuildToolbar(QToolBar* bar, const ToolbarTemplate& t)
{
    bar->setIconSize(QSize(t.buttonWidth, t.buttonHeight));
    for (std::size_t i = 0; i < t.count; ++i) {
        const int id = t.commands[i];
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        if (action->icon().isNull())
            action->setIcon(QIcon(QStringLiteral(":/toolbar/%1.xpm").arg(id)));
        bar->addAction(action);
    }
}

void CommandActions::AddAccelerators(const AccelTemplate& t)
{
    for (std::size_t i = 0; i < t.count; ++i) {
        QAction* action = Action(t.entries[i].commandId);
        QList<QKeySequence> keys = action->shortcuts();
        keys.append(Sequence(t.entries[i]));
        action->setShortcuts(keys);
    }
}

void CommandActions::SetHandler(int commandId, std::function<void()> handler)
{
    Action(commandId);
    m_handlers[commandId] = std::move(handler);
}

bool CommandActions::Execute(int commandId)
{
    const auto it = m_handlers.find(commandId);
    if (it == m_handlers.end() || !it->second)
        return false;
    // Copy: the handler may replace itself while it runs.
    const std::function<void()> handler = it->second;
    const QPointer<CommandActions> alive(this);
    handler();
    if (alive)
        Q_EMIT commandExecuted(commandId);
    return true;
}
