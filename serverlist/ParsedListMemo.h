#pragma once

#include "framework/ProfileFile.h"

#include <optional>
#include <string>
#include <vector>

// The server list file as the last load or save of this program left it, parsed. A save reads the file
// again, since another program may have changed it meanwhile; when it finds the very bytes kept here it
// takes this document instead of parsing them a second time, and the section that each entry's name
// gave, instead of computing the name's MD5 text again. A different path or different bytes parse
// afresh, so the memo never changes what a save writes.

// One entry's name and the section of the document that its MD5 text names, when there is one.
struct tagEntrySection
{
    std::u16string strName;
    std::optional<size_t> section;
};

struct tagParsedList
{
    CProfileDocument document;
    std::vector<tagEntrySection> entries; // in list order; empty when the document was parsed afresh
};

// Keeps the list of the file at `path`, in place of any kept before.
void KeepParsedList(const std::u16string& path, tagParsedList list);

// The list of `bytes`, read just now from `path`: the kept one when it is of that path and its document
// holds exactly those bytes, otherwise the bytes parsed, without entries. Nothing stays kept afterwards.
tagParsedList TakeParsedList(const std::u16string& path, std::string bytes);
