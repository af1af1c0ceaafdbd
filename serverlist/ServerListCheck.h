#pragma once

#include "framework/ProfileFile.h"
#include "serverlist/ServerList.h"

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
// sections and keys, addresses that are not dotted quads of 0 to 255; then a count cut by the load's
// bound, missing items under "ItemCount", entries that share a section (the same name, or names with
// one MD5 text), and sections and "ItemDescribe" keys that no entry uses. The decoder's messages become
// findings; nothing is shown. The work is bounded like the load's.
std::vector<tagFinding> CheckServerList(const CProfileDocument& document);

// The groups of entries (indices in list order) whose names give one section: a save makes them
// overwrite each other's address and domain.
std::vector<std::vector<size_t>> EntriesSharingSections(const CArray<tagServer>& servers);
