#include "create/InstallerScripts.h"

#include "create/GameNames.h"
#include "create/InstallerTemplates.h"
#include "create/TextFiles.h"
#include "framework/FileSystem.h"
#include "framework/Format.h"
#include "framework/MessageBox.h"
#include "framework/StdioFile.h"

namespace {

constexpr std::u16string_view kCaption = u"脚本创建错误信息";

// The folder P must be one folder name: an empty or unusable one would put the scripts elsewhere.
// The name is checked before ".iss" is added, so that a P or N ending with "." stays writable.
bool WriteScript(const tagCreateRequest& request, const std::u16string& baseName, const std::u16string& text)
{
    if (!IsUsableFileName(request.strPlatformName) || !IsUsableFileName(baseName))
        return false;
    try {
        WriteTextFile(text, request.strPlatformName + u"/" + baseName + u".iss");
    } catch (const CFileException&) {
        return false;
    }
    return true;
}

bool Fail(const std::u16string& message)
{
    ShowMessageBox(message, std::u16string(kCaption), MB_OK);
    return false;
}

} // namespace

bool WriteGameScript(const tagCreateRequest& request, const std::u16string& gameName,
                     const std::u16string& moduleName, const std::u16string& gameID)
{
    const tagCreateRequest& r = request;
    std::u16string text =
        FormatW(GameScriptTemplate(),
                {gameName, r.strPlatformName, r.strCompanyName, r.strCompanyName, r.strPlatformDomain,
                 r.strPlatformDomain, gameName, moduleName, r.strRegistryInfo, gameName, moduleName,
                 moduleName, moduleName, r.strRegistryInfo, gameID});
    return WriteScript(request, FormatW(u"QZ%s", {gameName}), text);
}

bool WriteLobbyScript(const tagCreateRequest& request)
{
    const std::u16string& p = request.strPlatformName;
    const std::u16string& r = request.strRegistryInfo;
    std::u16string text =
        FormatW(LobbyScriptTemplate(), {p, p, request.strCompanyName, request.strCompanyName,
                                        request.strPlatformDomain, p, p, r, p, p, p, p, p, r, r, p});
    return WriteScript(request, p, text);
}

bool WriteFullScript(const tagCreateRequest& request)
{
    const std::u16string& p = request.strPlatformName;
    const std::u16string& r = request.strRegistryInfo;
    std::u16string text = FormatW(FullScriptHead(), {p, p, request.strCompanyName, request.strCompanyName,
                                                     request.strPlatformDomain, p, p, r, p});
    for (const tagServerInfo& game : request.GameList) {
        const std::u16string& m = game.strModuleName;
        text += FormatW(FullScriptGameBlock(), {game.strGameName, m, m, m});
    }
    text += FormatW(FullScriptTail(), {p, p, p, p, r, r, p});
    return WriteScript(request, FormatW(u"%s-all", {p}), text);
}

bool MakeInstallerScripts(const tagCreateRequest& request)
{
    if (!CheckGameNames(request.GameList, std::u16string(kCaption)))
        return false;
    if (IsUsableFileName(request.strPlatformName))
        CreateDirectoryW(request.strPlatformName);
    const size_t count = request.GameList.size();
    for (size_t i = 0; i < count; ++i) {
        const tagServerInfo& game = request.GameList[i];
        if (!WriteGameScript(request, game.strGameName, game.strModuleName, game.strGameID))
            return Fail(game.strGameName + u"脚本创建失败!");
    }
    if (!WriteLobbyScript(request))
        return Fail(u"大厅脚本创建失败!");
    if (!WriteFullScript(request))
        return Fail(u"全部游戏安装包脚本创建失败!");
    return true;
}
