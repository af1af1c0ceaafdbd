#include "support/FileDialogRecorder.h"

#include "framework/WideText.h"

#include <gtest/gtest.h>

FileDialogRecorder::FileDialogRecorder()
{
    m_previous = SetFileDialogHandler([this](const FileDialogRequest& request) {
        m_shown.push_back(request);
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected file dialog: \"" << ToUtf8(request.title) << "\"";
            return std::optional<std::u16string>();
        }
        auto answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

FileDialogRecorder::~FileDialogRecorder()
{
    SetFileDialogHandler(std::move(m_previous));
}
