#pragma once

#include <string>

// Templates of the installer scripts. Each is a format whose only conversion is "%s"; the comment
// says which values fill it, in order, with P platform name, C company name, D platform domain,
// R registry name, and of one game N name, M module name, I number.

// Per-game script: N, P, C, C, D, D, N, M, R, N, M, M, M, R, I.
const std::u16string& GameScriptTemplate();

// Lobby script: P, P, C, C, D, P, P, R, P, P, P, P, P, R, R, P.
const std::u16string& LobbyScriptTemplate();

// Full script: head (P, P, C, C, D, P, P, R, P), one game block per game (N, M, M, M), tail
// (P, P, P, P, R, R, P).
const std::u16string& FullScriptHead();
const std::u16string& FullScriptGameBlock();
const std::u16string& FullScriptTail();
