#pragma once

#include "framework/Reporter.h"

#include <deque>
#include <string>
#include <vector>

// A reporter that keeps every message. A message that no Expect() announced fails the current test at
// once, so a test notices every message it did not ask for.
class ReporterRecorder : public CReporter
{
public:
    void Report(const MessageBoxRequest& message) override;

    // Announces the next `count` messages (the answer is kept for symmetry with the message box
    // recorder; reports have one OK button).
    void Expect(int answer = IDOK, int count = 1);

    const std::vector<MessageBoxRequest>& Shown() const { return m_shown; }
    std::vector<std::u16string> Texts() const;
    void Clear() { m_shown.clear(); }
    size_t PendingAnswers() const { return m_expected.size(); }

private:
    std::vector<MessageBoxRequest> m_shown;
    std::deque<int> m_expected;
};
