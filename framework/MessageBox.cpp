#include "framework/MessageBox.h"

#include "framework/WideText.h"

#include <cstdio>

namespace {

// Without a window system the message still reaches the operator, one line on standard error.
int PrintToStandardError(const MessageBoxRequest& request)
{
    std::string line = ToUtf8(request.text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    return IDOK;
}

MessageBoxHandler& CurrentHandler()
{
    static MessageBoxHandler handler = PrintToStandardError;
    return handler;
}

std::u16string& AppName()
{
    static std::u16string name = u"Korvane";
    return name;
}

} // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler previous = std::move(CurrentHandler());
    CurrentHandler() = handler ? std::move(handler) : MessageBoxHandler(PrintToStandardError);
    return previous;
}

int ShowMessageBox(const std::u16string& text, const std::u16string& caption, unsigned type)
{
    return CurrentHandler()(MessageBoxRequest{text, caption, type});
}

int AfxMessageBox(const std::u16string& text, unsigned type)
{
    return ShowMessageBox(text, AfxGetAppName(), type);
}

std::u16string AfxGetAppName()
{
    return AppName();
}

void AfxSetAppName(const std::u16string& name)
{
    AppName() = name;
}
