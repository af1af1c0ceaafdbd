#pragma once

#include "framework/MessageBox.h"

#include <deque>
#include <string>
#include <vector>

// What the message recorders share: every request shown, in order, and the queue of answers announced
// for the next ones. A request that no answer was announced for fails the current test at once.
class RequestLog
{
public:
    // Announces the answer for the next request; `count` requests in a row get it.
    void Expect(int answer = IDOK, int count = 1);

    const std::vector<MessageBoxRequest>& Shown() const { return m_shown; }
    std::vector<std::u16string> Texts() const;
    size_t PendingAnswers() const { return m_answers.size(); }

protected:
    // Keeps the request and takes the next announced answer (IDOK when none was announced).
    int Take(const MessageBoxRequest& request, const char* kind);
    void ClearShown() { m_shown.clear(); }

private:
    std::vector<MessageBoxRequest> m_shown;
    std::deque<int> m_answers;
};
