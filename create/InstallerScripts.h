#pragma once

#include "create/CreateRequest.h"
#include "framework/RunContext.h"

#include <string>

// Installer scripts, written under the folder named after the platform (P), relative to the current
// working directory. Each writer returns the error when its file cannot be created, converted or
// written (badName, naming P, for a P that cannot be a folder name); a failed write leaves an earlier
// file of that name whole.

// "P/QZN.iss" for one game: N its name, M its module name, I its number.
tagFileError WriteGameScript(CFileStore& files, const tagCreateRequest& request,
                             const std::u16string& gameName, const std::u16string& moduleName,
                             const std::u16string& gameID);

// "P/P.iss": the lobby alone.
tagFileError WriteLobbyScript(CFileStore& files, const tagCreateRequest& request);

// "P/P-all.iss": the lobby with every game of the request's list.
tagFileError WriteFullScript(CFileStore& files, const tagCreateRequest& request);

// Creates the folder P, then writes every game's script, the lobby script and the full script. Stops at
// the first failure with its message (caption "脚本创建错误信息") and the error's detail, and returns
// false; a game name that cannot be a file name is refused before anything is written.
bool MakeInstallerScripts(const tagRunContext& context, const tagCreateRequest& request);
