#include "framework/MessageBox.h"

#include "framework/WideText.h"

#include <cstdio>
#include <string_view>
#include <vector>

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

constexpr size_t kMaxLineLength = 1000;
constexpr size_t kLineHead = 200;
constexpr size_t kLineTail = 50;
constexpr size_t kMaxLines = 20;
constexpr size_t kHeadLines = 16;
constexpr size_t kTailLines = 3;
constexpr std::u16string_view kEllipsis = u"…";

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Keeps the head and the tail of a long line; a character outside the basic plane is never cut in two.
std::u16string ShortenLine(std::u16string_view line)
{
    if (line.size() <= kMaxLineLength)
        return std::u16string(line);
    size_t head = kLineHead;
    if (IsHighSurrogate(line[head - 1]))
        --head;
    size_t tail = line.size() - kLineTail;
    if (IsLowSurrogate(line[tail]))
        ++tail;
    std::u16string shown(line.substr(0, head));
    shown += kEllipsis;
    shown += line.substr(tail);
    return shown;
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    for (size_t end = text.find(u'\n'); end != std::u16string_view::npos; end = text.find(u'\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
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

std::u16string ShortenedForDisplay(const std::u16string& text)
{
    std::vector<std::u16string_view> lines = SplitLines(text);
    if (lines.size() > kMaxLines) {
        lines.erase(lines.begin() + kHeadLines, lines.end() - kTailLines);
        lines.insert(lines.begin() + kHeadLines, kEllipsis);
    }
    std::u16string shown;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            shown += u'\n';
        shown += ShortenLine(lines[i]);
    }
    return shown;
}

std::u16string AfxGetAppName()
{
    return AppName();
}

void AfxSetAppName(const std::u16string& name)
{
    AppName() = name;
}
