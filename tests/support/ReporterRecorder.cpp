#include "support/ReporterRecorder.h"

#include "framework/WideText.h"

#include <gtest/gtest.h>

void ReporterRecorder::Report(const MessageBoxRequest& message)
{
    m_shown.push_back(message);
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected message: \"" << ToUtf8(message.text) << "\" caption \""
                      << ToUtf8(message.caption) << "\"";
        return;
    }
    m_expected.pop_front();
}

void ReporterRecorder::Expect(int answer, int count)
{
    for (int i = 0; i < count; ++i)
        m_expected.push_back(answer);
}

std::vector<std::u16string> ReporterRecorder::Texts() const
{
    std::vector<std::u16string> texts;
    for (const MessageBoxRequest& message : m_shown)
        texts.push_back(message.text);
    return texts;
}
