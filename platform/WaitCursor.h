// The hourglass for the length of a scope. In the window it shows over the whole application;
// elsewhere it only counts, so that callers can see whether one is up.
#pragma once

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // How many wait cursors are up at this moment.
    static int ActiveCount();
};
