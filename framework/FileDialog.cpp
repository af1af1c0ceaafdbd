#include "framework/FileDialog.h"

namespace {

FileDialogHandler& CurrentHandler()
{
    // Without a window system there is nobody to choose: the choice is cancelled.
    static FileDialogHandler handler = [](const FileDialogRequest&) {
        return std::optional<std::u16string>();
    };
    return handler;
}

} // namespace

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler)
{
    FileDialogHandler previous = std::move(CurrentHandler());
    if (handler)
        CurrentHandler() = std::move(handler);
    else
        CurrentHandler() = [](const FileDialogRequest&) { return std::optional<std::u16string>(); };
    return previous;
}

std::optional<std::u16string> ShowFileDialog(const FileDialogRequest& request)
{
    return CurrentHandler()(request);
}
