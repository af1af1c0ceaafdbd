#include "create/GameList.h"

#include "framework/Path.h"
#include "framework/StdioFile.h"

#include <cstdint>

namespace {

// Index of the first `mark` at or after `from`, or -1; also -1 for a position outside the text.
std::int64_t FindFrom(const std::u16string& text, const std::u16string& mark, std::int64_t from)
{
    if (from < 0 || from > static_cast<std::int64_t>(text.size()))
        return -1;
    size_t at = text.find(mark, static_cast<size_t>(from));
    return at == std::u16string::npos ? -1 : static_cast<std::int64_t>(at);
}

// The framework's Mid: start and count clamped into the text.
std::u16string Mid(const std::u16string& text, std::int64_t first, std::int64_t count)
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    const auto length = static_cast<std::int64_t>(text.size());
    if (first >= length)
        return std::u16string();
    if (first + count > length)
        count = length - first;
    return text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
}

} // namespace

std::u16string ExtractBetween(std::u16string text, std::u16string startMark, int startCount,
                              std::u16string endMark, int endCount)
{
    const auto startLength = static_cast<std::int64_t>(startMark.size());
    const auto endLength = static_cast<std::int64_t>(endMark.size());
    std::int64_t p = 0;
    for (int i = 0; i < startCount; ++i)
        p = FindFrom(text, startMark, p) + startLength;
    std::int64_t e = p;
    for (int i = 0; i < endCount; ++i)
        e = FindFrom(text, endMark, e) + endLength;
    return Mid(text, p, e - p - endLength);
}

tagServerInfo ParseGameRow(const std::u16string& line)
{
    tagServerInfo game;
    game.strGameID = ExtractBetween(line, u"( ", 1, u",", 1);
    game.strGameName = ExtractBetween(line, u"'", 1, u"'", 1);
    game.strDatabaseName = ExtractBetween(line, u"N'", 3, u"'", 1);
    game.strModuleName = ExtractBetween(line, u"N'", 4, u"Server", 1);
    return game;
}

GameListRead ReadGameList(const tagRunContext& context, const std::u16string& moduleDir,
                          CArray<tagServerInfo>& gameList)
{
    gameList.clear();
    gameList.shrink_to_fit();
    CStdioFile file(context.files);
    tagFileError opened;
    if (!file.Open(JoinPath(moduleDir, u"脚本代码/数据脚本/游戏列表.sql"),
                   CStdioFile::modeRead | CStdioFile::typeText, &opened)) {
        context.reporter.Message(u"游戏列表.sql  打开失败!貌似没有这个文件");
        context.reporter.Detail(opened);
        return GameListRead::notOpened;
    }
    std::u16string line;
    while (file.ReadString(line)) {
        if (line.find(u"INSERT [GameGameItem]") != std::u16string::npos)
            gameList.push_back(ParseGameRow(line));
    }
    if (tagFileError error = file.Close(); error.Failed()) {
        context.reporter.FileError(error);
        return GameListRead::stopped;
    }
    return GameListRead::read;
}
