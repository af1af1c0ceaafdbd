#include "support/MessageBoxRecorder.h"

#include "framework/WideText.h"

#include <gtest/gtest.h>

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous = SetMessageBoxHandler([this](const MessageBoxRequest& r) { return Answer(r); });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    SetMessageBoxHandler(std::move(m_previous));
}

void MessageBoxRecorder::Expect(int answer, int count)
{
    for (int i = 0; i < count; ++i)
        m_answers.push_back(answer);
}

std::vector<std::u16string> MessageBoxRecorder::Texts() const
{
    std::vector<std::u16string> texts;
    for (const auto& r : m_shown)
        texts.push_back(r.text);
    return texts;
}

int MessageBoxRecorder::Answer(const MessageBoxRequest& request)
{
    m_shown.push_back(request);
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected message box: \"" << ToUtf8(request.text) << "\" caption \""
                      << ToUtf8(request.caption) << "\"";
        return IDOK;
    }
    int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
