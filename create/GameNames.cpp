#include "create/GameNames.h"

#include "framework/Format.h"
#include "framework/WideText.h"

#include <array>

namespace {

// Windows opens a device instead of a file for these names, with any extension after them and
// blanks before it: "CON.sql" or "nul .iss" write nowhere.
bool IsDeviceName(std::u16string_view name)
{
    std::u16string_view stem = name.substr(0, name.find(u'.'));
    while (stem.ends_with(u' '))
        stem.remove_suffix(1);
    static constexpr std::array<std::u16string_view, 4> kDevices = {u"con", u"prn", u"aux", u"nul"};
    for (std::u16string_view device : kDevices) {
        if (EqualsNoCaseAscii(stem, device))
            return true;
    }
    return stem.size() == 4 && (StartsWithNoCaseAscii(stem, u"com") || StartsWithNoCaseAscii(stem, u"lpt")) &&
           stem[3] >= u'1' && stem[3] <= u'9';
}

} // namespace

bool IsUsableFileName(std::u16string_view name)
{
    if (name.empty() || name == u"." || name.find(u"..") != std::u16string_view::npos || IsDeviceName(name))
        return false;
    for (char16_t c : name) {
        if (c < 32 || std::u16string_view(u"/\\<>:\"|?*").find(c) != std::u16string_view::npos)
            return false;
    }
    return true;
}

bool IsUsableFolderName(std::u16string_view name)
{
    if (!IsUsableFileName(name))
        return false;
    std::u16string_view made = name.ends_with(u'.') ? name.substr(0, name.size() - 1) : name;
    return !made.ends_with(u' ');
}

bool IsUsableDatabaseName(std::u16string_view name)
{
    for (char16_t c : name) {
        if (c < 32 || c == 0x7F || std::u16string_view(u"[]'\";").find(c) != std::u16string_view::npos)
            return false;
    }
    return true;
}

bool CheckGameNames(CReporter& reporter, const CArray<tagServerInfo>& gameList, const std::u16string& caption)
{
    for (const tagServerInfo& game : gameList) {
        if (!IsUsableFileName(game.strGameName)) {
            reporter.Message(
                FormatW(u"游戏名称“%s”(编号 %s)不能用作文件名!", {game.strGameName, game.strGameID}), caption,
                MB_OK);
            return false;
        }
    }
    return true;
}

bool CheckDatabaseNames(CReporter& reporter, const CArray<tagServerInfo>& gameList,
                        const std::u16string& caption)
{
    for (const tagServerInfo& game : gameList) {
        if (!IsUsableDatabaseName(game.strDatabaseName)) {
            reporter.Message(FormatW(u"游戏“%s”(编号 %s)的数据库名称“%s”不能用在SQL脚本中!",
                                     {game.strGameName, game.strGameID, game.strDatabaseName}),
                             caption, MB_OK);
            return false;
        }
    }
    return true;
}
