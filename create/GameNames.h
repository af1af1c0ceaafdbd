#pragma once

#include "create/GameList.h"
#include "framework/Reporter.h"

#include <string>
#include <string_view>

// True when `name` can stand as one file or folder name, on Windows too: not empty, not ".", no
// separator, no "..", none of < > : " | ? * and no control character, and no device name of Windows
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any case, with or without an extension).
bool IsUsableFileName(std::u16string_view name);

// True when `name` can also stand as a folder that files are written into. Windows drops a trailing
// "." from every part of a path but a trailing blank only from the last one, so a name ending with a
// blank (or a blank and ".") would make one folder and write into another that does not exist. A name
// ending with "." after anything else names the same folder both ways.
bool IsUsableFolderName(std::u16string_view name);

// True when `name` can stand in the generated SQL text: between "[" and "]", between "N'" and "'", and
// in place of the templates' placeholder. None of ] [ ' " ; and no control character (DEL included).
// An empty name is usable: it leaves "[]" and "N''", as it always has.
bool IsUsableDatabaseName(std::u16string_view name);

// Checks every game's name before anything is written, since the names become file and folder
// names. Reports "游戏名称“N”(编号 I)不能用作文件名!" with `caption` for the first unusable one and
// returns false.
bool CheckGameNames(CReporter& reporter, const CArray<tagServerInfo>& gameList,
                    const std::u16string& caption);

// Checks every game's database name before anything is written, since the names become SQL text.
// Reports "游戏“N”(编号 I)的数据库名称“D”不能用在SQL脚本中!" with `caption` for the first unusable one and
// returns false.
bool CheckDatabaseNames(CReporter& reporter, const CArray<tagServerInfo>& gameList,
                        const std::u16string& caption);
