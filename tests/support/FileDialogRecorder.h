#pragma once

#include "framework/FileDialog.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// Installs itself as the file dialog seam for its lifetime: answers from a queue of chosen paths
// (nothing = cancelled) and keeps every request. An unanswered dialog fails the test and is cancelled.
class FileDialogRecorder
{
public:
    FileDialogRecorder();
    ~FileDialogRecorder();
    FileDialogRecorder(const FileDialogRecorder&) = delete;
    FileDialogRecorder& operator=(const FileDialogRecorder&) = delete;

    void Choose(const std::u16string& path) { m_answers.push_back(path); }
    void Cancel() { m_answers.push_back(std::nullopt); }
    const std::vector<FileDialogRequest>& Shown() const { return m_shown; }

private:
    std::vector<FileDialogRequest> m_shown;
    std::deque<std::optional<std::u16string>> m_answers;
    FileDialogHandler m_previous;
};
