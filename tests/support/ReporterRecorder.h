#pragma once

#include "framework/Reporter.h"

#include <deque>
#include <string>
#include <vector>

// A reporter that keeps every message and every detail. A message that no Expect() announced fails the
// current test at once, so a test notices every message it did not ask for.
class ReporterRecorder : public CReporter
{
public:
    // A detail and the number of messages shown before it.
    struct Detailed
    {
        size_t nAfterMessages;
        tagFileError error;
    };

    void Report(const MessageBoxRequest& message) override;
    void Detail(const tagFileError& error) override { m_details.push_back({m_shown.size(), error}); }

    // Announces the next `count` messages (the answer is kept for symmetry with the message box
    // recorder; reports have one OK button).
    void Expect(int answer = IDOK, int count = 1);

    const std::vector<MessageBoxRequest>& Shown() const { return m_shown; }
    std::vector<std::u16string> Texts() const;
    const std::vector<Detailed>& Details() const { return m_details; }
    void Clear()
    {
        m_shown.clear();
        m_details.clear();
    }
    size_t PendingAnswers() const { return m_expected.size(); }

private:
    std::vector<MessageBoxRequest> m_shown;
    std::vector<Detailed> m_details;
    std::deque<int> m_expected;
};
