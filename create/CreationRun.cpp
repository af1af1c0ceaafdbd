#include "create/CreationRun.h"

#include "create/DatabaseScripts.h"
#include "create/InputRules.h"
#include "create/InstallerScripts.h"
#include "framework/MessageBox.h"

bool RunCreation(tagCreateRequest& request, const tagCreateOptions& options)
{
    if (!CheckInputs(request, options.bInstaller, options.bServerInfo))
        return false;
    // Without an output that needs it the list is not read and keeps what an earlier run left.
    if (options.bDatabase || options.bInstaller) {
        if (!ReadGameList(request.strModuleDir, request.GameList)) {
            AfxMessageBox(u"游戏列表读取失败!");
            return false;
        }
        if (request.GameList.empty()) {
            AfxMessageBox(u"游戏列表读取成功,但是内容为空");
            return false;
        }
    }
    // A database step that stopped after its own message ends the command here.
    if (options.bDatabase && !MakeDatabaseScripts(request.strModuleDir, request.GameList))
        return false;
    if (options.bInstaller && !MakeInstallerScripts(request))
        return false;
    return true;
}
