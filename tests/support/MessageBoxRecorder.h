#pragma once

#include "support/RequestLog.h"

// Installs itself as the message box seam for its lifetime: keeps every box shown and answers from a
// queue. A box that no answer was queued for fails the current test at once (and is answered IDOK).
class MessageBoxRecorder : public RequestLog
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void Clear() { ClearShown(); }

private:
    MessageBoxHandler m_previous;
};
