#pragma once

#include "framework/Reporter.h"
#include "support/RequestLog.h"

#include <vector>

// A reporter that keeps every message and every detail. A message that no Expect() announced fails the
// current test at once, so a test notices every message it did not ask for. (The answer Expect() takes
// is kept for symmetry with the message box recorder; reports have one OK button.)
class ReporterRecorder : public CReporter, public RequestLog
{
public:
    // A detail and the number of messages shown before it.
    struct Detailed
    {
        size_t nAfterMessages;
        tagFileError error;
    };

    void Report(const MessageBoxRequest& message) override { Take(message, "message"); }
    void Detail(const tagFileError& error) override { m_details.push_back({Shown().size(), error}); }

    const std::vector<Detailed>& Details() const { return m_details; }
    void Clear()
    {
        ClearShown();
        m_details.clear();
    }

private:
    std::vector<Detailed> m_details;
};
