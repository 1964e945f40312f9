#include "model/undo_history.h"

void UndoHistory::Reset(const RadioImage& current, bool modified)
{
    m_undo.clear();
    m_redo.clear();
    m_current = { current, modified };
}

bool UndoHistory::Record(const RadioImage& current)
{
    if (IsRecorded(current))
        return false;
    m_undo.push_back(m_current);
    if (m_undo.size() > kMaxSteps)
        m_undo.erase(m_undo.begin());
    m_redo.clear();
    m_current = { current, true };
    return true;
}

const UndoHistory::State* UndoHistory::Undo()
{
    if (m_undo.empty())
        return nullptr;
    m_redo.push_back(m_current);
    m_current = m_undo.back();
    m_undo.pop_back();
    return &m_current;
}

const UndoHistory::State* UndoHistory::Redo()
{
    if (m_redo.empty())
        return nullptr;
    m_undo.push_back(m_current);
    m_current = m_redo.back();
    m_redo.pop_back();
    return &m_current;
}

void UndoHistory::MarkSaved(const RadioImage& current)
{
    // A save may follow a change nobody recorded yet (an edit that marked the
    // document before it stored): record it first, so it stays undoable.
    Record(current);
    m_current.modified = false;
    for (auto* steps : { &m_undo, &m_redo })
        for (State& state : *steps)
            state.modified = state.image.bytes != current.bytes;
}
