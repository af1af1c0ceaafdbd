#include "support/RequestLog.h"

#include "framework/WideText.h"

#include <gtest/gtest.h>

void RequestLog::Expect(int answer, int count)
{
    for (int i = 0; i < count; ++i)
        m_answers.push_back(answer);
}

std::vector<std::u16string> RequestLog::Texts() const
{
    std::vector<std::u16string> texts;
    for (const MessageBoxRequest& request : m_shown)
        texts.push_back(request.text);
    return texts;
}

int RequestLog::Take(const MessageBoxRequest& request, const char* kind)
{
    m_shown.push_back(request);
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected " << kind << ": \"" << ToUtf8(request.text) << "\" caption \""
                      << ToUtf8(request.caption) << "\"";
        return IDOK;
    }
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
