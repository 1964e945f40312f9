#pragma once
// The document's undo and redo: whole-image snapshots (the image is 4 KB), one
// step per recorded change, each remembering whether the document counted as
// modified in that state, so undoing back to the saved state clears the flag.
// Qt-free; used by CVelmarDoc on the user-interface thread.

#include "model/radio_image.h"

#include <cstddef>
#include <vector>

class UndoHistory
{
public:
    struct State
    {
        RadioImage image;
        bool modified = false;
    };

    // Steps kept; the oldest goes first beyond it.
    static constexpr std::size_t kMaxSteps = 500;

    // Forgets every step; current is the state the history starts from.
    void Reset(const RadioImage& current, bool modified);
    // True when current is the state last recorded (nothing to record).
    bool IsRecorded(const RadioImage& current) const { return current.bytes == m_current.image.bytes; }
    // Records the change from the last recorded state to current as one undo
    // step (the document is modified in current); drops the redo steps. false,
    // with nothing recorded, when current equals the last recorded state.
    bool Record(const RadioImage& current);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // Steps back (or forward) and returns the state to restore; nullptr when
    // there is no such step.
    const State* Undo();
    const State* Redo();

    // The document was saved in state current: it is the unmodified state now,
    // and every other step is modified unless it holds the same image.
    void MarkSaved(const RadioImage& current);

    std::size_t UndoCount() const { return m_undo.size(); }
    std::size_t RedoCount() const { return m_redo.size(); }

private:
    std::vector<State> m_undo;
    std::vector<State> m_redo;
    State m_current;
};
