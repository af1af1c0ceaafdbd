#pragma once

#include "framework/MessageBox.h"

#include <deque>
#include <string>
#include <vector>

// Installs itself as the message box seam for its lifetime: keeps every box shown and answers from a
// queue. A box that no answer was queued for fails the current test at once (and is answered IDOK).
class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // Queues the answer for the next box; `count` boxes in a row get it.
    void Expect(int answer = IDOK, int count = 1);

    const std::vector<MessageBoxRequest>& Shown() const { return m_shown; }
    std::vector<std::u16string> Texts() const;
    void Clear() { m_shown.clear(); }
    size_t PendingAnswers() const { return m_answers.size(); }

private:
    int Answer(const MessageBoxRequest& request);

    std::vector<MessageBoxRequest> m_shown;
    std::deque<int> m_answers;
    MessageBoxHandler m_previous;
};
