#pragma once

#include "create/GameList.h"

#include <string>

// Writes, for every game of `gameList` except the coin database "QPTreasureDB", its two score database
// scripts and eleven stored-procedure scripts from the templates under `moduleDir` (ending with "/"),
// and enters them into the installation batch file and the drop script, which are written last.
// Game numbers start at 8.
// False, after a message, when a game's name cannot be a file name (nothing written) or a template,
// the batch file or the drop script cannot be read (nothing further written): the command ends there.
// A script that cannot be written throws CFileException; the batch file and drop script stay as they were.
bool MakeDatabaseScripts(const std::u16string& moduleDir, const CArray<tagServerInfo>& gameList);
