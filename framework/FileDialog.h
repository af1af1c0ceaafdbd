#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct FileDialogRequest
{
    bool save = false; // save dialog instead of open dialog
    std::u16string title;
    std::u16string filter;      // the framework's "description|pattern|" form
    std::u16string defaultExt;  // without the dot
    std::u16string initialPath; // preset folder and file name; may be empty
    bool fileMustExist = false;
};

// The chosen full path, or nothing when the operator cancelled.
using FileDialogHandler = std::function<std::optional<std::u16string>(const FileDialogRequest&)>;

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);
std::optional<std::u16string> ShowFileDialog(const FileDialogRequest& request);

// The filter's entries as "description (pattern pattern)", the form of the file dialogs that read the
// patterns from the parentheses at the end of a name. A description that already ends with its patterns,
// as "配置文件 (*.ini)" does, shows them once.
std::vector<std::u16string> NameFiltersOf(const std::u16string& filter);
