#pragma once

#include "framework/CArray.h"
#include "framework/RunContext.h"

#include <cstdint>

#include <string>
#include <vector>

// One entry of the client's server list.
struct tagServer
{
    std::u16string strServerName;
    std::u16string strServerAddr;
    std::u16string strServerDomain;

    friend bool operator==(const tagServer&, const tagServer&) = default;
};

// Looks for the file in the program's folder, without regard to the case of ASCII letters. When found,
// puts its full path into `path` and returns true; otherwise leaves `path` as it was.
bool FindFileInModuleDir(const std::u16string& fileName, std::u16string& path);

// A stated ItemCount beyond the stored item keys by more than this loads only this many more entries:
// a count is kept where it overshoots a little (the missing entries load empty), but a file of a few
// bytes cannot make the program build millions of entries.
constexpr std::int64_t kServerListCountMargin = 10000;

class CProfileDocument;

// The most entries a load makes of the document: its stored item keys plus the margin.
std::int64_t ServerListEntryBound(const CProfileDocument& document);

// "ItemCount" as the client reads it: a signed 32-bit number; a negative one means no entries.
std::int64_t StatedItemCount(const CProfileDocument& document);

// The entries a load makes for the stated count: none for a negative one, at most the bound. The item
// keys are counted only for a count beyond the margin, which alone can exceed the bound.
std::int64_t LoadedItemCount(const CProfileDocument& document, std::int64_t stated);

// What a load found.
struct tagServerListLoad
{
    tagFileError error;            // the file exists but could not be read (already reported)
    std::int64_t nStatedCount = 0; // "ItemCount" as the client reads it: a signed 32-bit number
    std::int64_t nLoadedCount = 0; // entries loaded: the stated count, within the bound
    // Lines, counting from 1, of a file marked as UTF-8 that are not, and so say nothing
    // (CProfileDocument::UnreadableLines).
    std::vector<size_t> unreadableLines;
};

// Replaces the whole array with the entries stored in the file. A missing file gives an empty array;
// fields that do not decode come back empty, after the decoder's own message. A file that cannot be
// read and a count cut to the bound are reported.
tagServerListLoad LoadServerList(const tagRunContext& context, const std::u16string& path,
                                 CArray<tagServer>& servers);

// The message of a cut count: the count stated and the entries loaded.
std::u16string CountCutMessage(const tagServerListLoad& load);

// Writes the array into the file in the client's encoded form, leaving everything else in the file.
// The file is read once and replaced once; on failure the old file is untouched and the error comes
// back for the caller to report.
tagFileError SaveServerList(const tagRunContext& context, const std::u16string& path,
                            const CArray<tagServer>& servers);
