#pragma once
// The busy cursor for as long as the object lives: test-mode procedures block
// the UI thread, so the cursor is what tells the user to wait. UI thread only.

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
