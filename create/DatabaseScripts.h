#pragma once

#include "create/GameList.h"
#include "framework/RunContext.h"

#include <string>

// Writes, for every game of `gameList` except the coin database "QPTreasureDB", its two score database
// scripts and eleven stored-procedure scripts from the templates under `moduleDir` (ending with a folder
// separator), and enters them into the installation batch file and the drop script, which are written
// last and together. Game numbers start at 8.
// False, after its message, when a game's name cannot be a file name or its database name cannot stand
// in SQL text (nothing written), a template, the batch file or the drop script cannot be read (nothing
// further written), or a script cannot be written (the file error; the batch file and drop script stay
// as they were): the command ends there.
bool MakeDatabaseScripts(const tagRunContext& context, const std::u16string& moduleDir,
                         const CArray<tagServerInfo>& gameList);
