#include "create/InstallerScripts.h"

#include "create/GameNames.h"
#include "create/InstallerTemplates.h"
#include "create/TextFiles.h"
#include "framework/Format.h"
#include "framework/Path.h"

namespace {

constexpr std::u16string_view kCaption = u"脚本创建错误信息";

// The folder P must be one folder name: an empty or unusable one would put the scripts elsewhere.
// The name is checked before ".iss" is added, so that a P or N ending with "." stays writable.
// Every run makes them afresh, so they reach the disk together at the end of the run.
tagFileError WriteScript(CFileStore& files, const tagCreateRequest& request, const std::u16string& baseName,
                         const std::u16string& text)
{
    const std::u16string& folder = request.strPlatformName;
    // Not JoinPath: a "/" in the name is the operator's and is refused, unchanged, below.
    std::u16string path = folder + kPathSeparator + baseName + u".iss";
    if (!IsUsableFolderName(folder))
        return tagFileError{tagFileError::badName, folder, 0};
    if (!IsUsableFileName(baseName))
        return tagFileError{tagFileError::badName, path, 0};
    return WriteTextFile(files, text, path, Durability::deferred);
}

bool Fail(CReporter& reporter, const std::u16string& message, const tagFileError& error)
{
    reporter.Message(message, std::u16string(kCaption), MB_OK);
    reporter.Detail(error);
    return false;
}

} // namespace

tagFileError WriteGameScript(CFileStore& files, const tagCreateRequest& request,
                             const std::u16string& gameName, const std::u16string& moduleName,
                             const std::u16string& gameID)
{
    const tagCreateRequest& r = request;
    std::u16string text =
        FormatW(GameScriptTemplate(),
                {gameName, r.strPlatformName, r.strCompanyName, r.strCompanyName, r.strPlatformDomain,
                 r.strPlatformDomain, gameName, moduleName, r.strRegistryInfo, gameName, moduleName,
                 moduleName, moduleName, r.strRegistryInfo, gameID});
    return WriteScript(files, request, FormatW(u"QZ%s", {gameName}), text);
}

tagFileError WriteLobbyScript(CFileStore& files, const tagCreateRequest& request)
{
    const std::u16string& p = request.strPlatformName;
    const std::u16string& r = request.strRegistryInfo;
    std::u16string text =
        FormatW(LobbyScriptTemplate(), {p, p, request.strCompanyName, request.strCompanyName,
                                        request.strPlatformDomain, p, p, r, p, p, p, p, p, r, r, p});
    return WriteScript(files, request, p, text);
}

tagFileError WriteFullScript(CFileStore& files, const tagCreateRequest& request)
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
    return WriteScript(files, request, FormatW(u"%s-all", {p}), text);
}

bool MakeInstallerScripts(const tagRunContext& context, const tagCreateRequest& request)
{
    if (!CheckGameNames(context.reporter, request.GameList, std::u16string(kCaption)))
        return false;
    if (IsUsableFolderName(request.strPlatformName))
        context.files.CreateFolder(request.strPlatformName);
    const size_t count = request.GameList.size();
    for (size_t i = 0; i < count; ++i) {
        const tagServerInfo& game = request.GameList[i];
        tagFileError error =
            WriteGameScript(context.files, request, game.strGameName, game.strModuleName, game.strGameID);
        if (error.Failed())
            return Fail(context.reporter, game.strGameName + u"脚本创建失败!", error);
    }
    if (tagFileError error = WriteLobbyScript(context.files, request); error.Failed())
        return Fail(context.reporter, u"大厅脚本创建失败!", error);
    if (tagFileError error = WriteFullScript(context.files, request); error.Failed())
        return Fail(context.reporter, u"全部游戏安装包脚本创建失败!", error);
    return true;
}
