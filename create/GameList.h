#pragma once

#include "framework/CArray.h"
#include "framework/RunContext.h"

#include <string>

// One game of the platform's game list.
struct tagServerInfo
{
    std::u16string strGameID; // the game's number, as text
    std::u16string strGameName;
    std::u16string strModuleName;   // base name of the game's module files
    std::u16string strDatabaseName; // the game's score database
};

// The part of `text` after the startCount-th `startMark` and before the endCount-th `endMark` counted
// from there. Missing marks are not errors: the positions move on by the mark's length regardless,
// which is what the game list's row layout has always been read with.
std::u16string ExtractBetween(std::u16string text, std::u16string startMark, int startCount,
                              std::u16string endMark, int endCount);

// The four fields of one "INSERT [GameGameItem]" row.
tagServerInfo ParseGameRow(const std::u16string& line);

// How reading the game list ended.
enum class GameListRead {
    read,
    notOpened, // after "游戏列表.sql  打开失败!貌似没有这个文件"
    stopped,   // at a line that is not code page 936, after its file error; the games before it stay
};

// Empties `gameList` and fills it from "脚本代码/数据脚本/游戏列表.sql" under `moduleDir` (which ends with a
// folder separator).
GameListRead ReadGameList(const tagRunContext& context, const std::u16string& moduleDir,
                          CArray<tagServerInfo>& gameList);
