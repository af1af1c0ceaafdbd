#include "create/CreationRun.h"

#include "create/DatabaseScripts.h"
#include "create/InputRules.h"
#include "create/InstallerScripts.h"
#include "create/ServerInfoFile.h"

namespace {

bool ReadGames(const tagRunContext& context, tagCreateRequest& request)
{
    switch (ReadGameList(context, request.strModuleDir, request.GameList)) {
    case GameListRead::notOpened:
        context.reporter.Message(u"游戏列表读取失败!");
        return false;
    case GameListRead::stopped:
        return false;
    case GameListRead::read:
        break;
    }
    if (request.GameList.empty()) {
        context.reporter.Message(u"游戏列表读取成功,但是内容为空");
        return false;
    }
    return true;
}

bool RunSteps(const tagRunContext& context, tagCreateRequest& request, const tagCreateOptions& options)
{
    if (!CheckInputs(context.reporter, request, options.bInstaller, options.bServerInfo))
        return false;
    // Without an output that needs it the list is not read and keeps what an earlier run left.
    if ((options.bDatabase || options.bInstaller) && !ReadGames(context, request))
        return false;
    // A database step that stopped after its own message ends the command here.
    if (options.bDatabase && !MakeDatabaseScripts(context, request.strModuleDir, request.GameList))
        return false;
    if (options.bInstaller && !MakeInstallerScripts(context, request))
        return false;
    if (options.bServerInfo && !MakeServerInfo(context, request))
        return false;
    return true;
}

} // namespace

bool RunCreation(const tagRunContext& context, tagCreateRequest& request, const tagCreateOptions& options)
{
    bool done = RunSteps(context, request, options);
    // What a stopped run wrote stays, and reaches the disk like the rest.
    context.files.Sync();
    return done;
}
