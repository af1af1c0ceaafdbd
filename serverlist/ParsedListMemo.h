#pragma once

#include "framework/ProfileFile.h"
#include "serverlist/ServerList.h"

#include <optional>
#include <string>
#include <vector>

// The server list file as the last load or save of this program left it, parsed. A save reads the file
// again, since another program may have changed it meanwhile; when it finds the very bytes kept here it
// takes this document instead of parsing them a second time, and the section that each entry's name
// gave, instead of computing the name's MD5 text again. A different path or different bytes parse
// afresh, so the memo never changes what a save writes.

// Each entry's name, in list order, and the section of the document that its MD5 text names when there
// is one; the names share one buffer, as a list may have 100,000 of them.
class CEntrySections
{
public:
    CEntrySections() = default;
    // Each server's name with the section at its place; the names' buffer is sized once.
    CEntrySections(const CArray<tagServer>& servers, const std::vector<std::optional<size_t>>& sections);

    // Room for `count` names of the longest length a save encodes, so that a loaded list's names go
    // in without regrowing.
    void Reserve(size_t count);
    void Add(std::u16string_view name, std::optional<size_t> section);
    // Gives the names, in order, these sections instead; as many as there are names.
    void SetSections(const std::vector<std::optional<size_t>>& sections);
    size_t Size() const { return m_ends.size(); }
    std::u16string_view Name(size_t index) const;
    std::optional<size_t> Section(size_t index) const;

private:
    std::u16string m_names;
    std::vector<size_t> m_ends;     // where each name ends in m_names
    std::vector<size_t> m_sections; // kNoSection when the name has none
};

// Keeps the document of the file at `path` and its entries in list order, in place of any kept before.
void KeepParsedList(const std::u16string& path, CProfileDocument document, CEntrySections entries);

// Lets go of what is kept; the kept file bytes' memory is given for the next read to fill.
std::string ForgetParsedList();

// What a save takes from the entries kept for `path`: for each server, the section kept for the entry at
// its place when that entry had the same name, nothing elsewhere (only good with the kept document);
// the kept names, and whether every server has the name kept at its place, so that the names can be
// kept again after the save without copying them anew.
struct tagKeptEntries
{
    std::vector<std::optional<size_t>> sections;
    CEntrySections names;
    bool bSameNames = false;
};
tagKeptEntries TakeKeptEntries(const std::u16string& path, const CArray<tagServer>& servers);

// The kept document of `path` when the file there, compared on `files`, still holds exactly its bytes;
// the file is not read whole for it. Nothing otherwise: a document kept with bytes it did not read stays
// for TakeParsedList, and one the file no longer holds is let go before the caller reads the file.
std::optional<CProfileDocument> TakeUnchangedList(const std::u16string& path, CFileStore& files);

// The document of `bytes`, read just now from `path`: the kept one when it is of that path and holds
// exactly those bytes (`kept` tells), otherwise the bytes parsed. Nothing stays kept afterwards.
CProfileDocument TakeParsedList(const std::u16string& path, std::string bytes, bool& kept);
