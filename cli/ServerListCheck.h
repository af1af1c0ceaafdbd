#pragma once

#include "framework/ProfileFile.h"

#include <string>
#include <vector>

// One thing in a server list file that would surprise an operator.
struct tagFinding
{
    std::u16string strWhere; // "entry 2 (ItemDescribe3) name", "[ServerInfo] ItemCount", "[section]" …
    std::u16string strProblem;
};

// Reads the file as the server list's load does and reports, in this order per entry: names and
// domains that cannot be decoded or will not survive a save and a load by the client's reader, missing
// sections and keys, addresses that are not dotted quads of 0 to 255; then missing items under
// "ItemCount", duplicate names, and sections and "ItemDescribe" keys that no entry uses. The decoder's
// messages become findings; nothing is shown.
std::vector<tagFinding> CheckServerList(const CProfileDocument& document);

// The findings as a JSON array of {"where", "problem"}.
std::string FindingsJson(const std::vector<tagFinding>& findings);
