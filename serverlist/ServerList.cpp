#include "serverlist/ServerList.h"

#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/AsciiRun.h"
#include "framework/FileSystem.h"
#include "framework/WideText.h"
#include "framework/Format.h"
#include "framework/ProfileFile.h"
#include "serverlist/ParsedListMemo.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr std::u16string_view kGlobalInfo = u"GlobalInfo";
constexpr std::u16string_view kServerInfo = u"ServerInfo";
constexpr std::u16string_view kItemPrefix = u"ItemDescribe";

// Makes `key` "ItemDescribe<number>", for numbers from 1 on; built directly into one buffer, as a list
// of 100,000 entries asks for it 200,000 times.
void SetItemKey(std::u16string& key, std::int64_t number)
{
    char16_t digits[20];
    size_t count = 0;
    for (auto rest = static_cast<std::uint64_t>(number); count == 0 || rest != 0; rest /= 10)
        digits[count++] = static_cast<char16_t>(u'0' + rest % 10);
    key.assign(kItemPrefix);
    while (count > 0)
        key += digits[--count];
}

// The keys of every entry's section, hashed once.
const tagProfileKey& ServerAddrKey()
{
    static const tagProfileKey key = tagProfileKey::Hashed(u"ServerAddr");
    return key;
}

const tagProfileKey& ServerDomainKey()
{
    static const tagProfileKey key = tagProfileKey::Hashed(u"ServerDomain");
    return key;
}

// A missing section or key reads as an empty text, as an empty default would give it.
std::u16string ReadValue(const CProfileDocument& document, std::optional<size_t> section,
                         const tagProfileKey& key)
{
    if (!section)
        return std::u16string();
    return document.GetString(*section, key).value_or(std::u16string());
}

// An XOR text's plain text; plain digits, as every encoder writes them, are decoded from the file's bytes.
std::u16string ReadXorValue(const CProfileDocument& document, std::optional<size_t> section,
                            const tagProfileKey& key, CReporter& reporter)
{
    if (!section)
        return std::u16string();
    if (std::optional<std::string_view> bytes = document.GetValueBytes(*section, key)) {
        std::u16string plain;
        if (XorDecryptPlainQuietly(*bytes, plain))
            return plain;
        if (AsciiPrefix(*bytes) == bytes->size())
            return XorDecryptAscii(*bytes, reporter);
    }
    return XorDecrypt(ReadValue(document, section, key), reporter);
}

// The dotted address of the section's number; an ASCII number, as every writer leaves it, is taken from
// the file's bytes.
std::u16string ReadAddress(const CProfileDocument& document, std::optional<size_t> section)
{
    const tagProfileKey& kKey = ServerAddrKey();
    if (section) {
        if (std::optional<std::string_view> ascii = document.GetAsciiString(*section, kKey))
            return NumberToIpAscii(*ascii);
    }
    return NumberToIp(ReadValue(document, section, kKey));
}

// The rest of an entry whose name is read, from the section that the name's digest names; that section
// goes to `entries` with the name for a later save.
tagServer ReadNamedServer(const CProfileDocument& document, std::u16string name, const tagMd5Hex& digest,
                          CReporter& reporter, CEntrySections& entries)
{
    tagServer server;
    server.strServerName = std::move(name);
    std::optional<size_t> section = document.FindSection(digest.View());
    server.strServerAddr = ReadAddress(document, section);
    server.strServerDomain = ReadXorValue(document, section, ServerDomainKey(), reporter);
    entries.Add(server.strServerName, section);
    return server;
}

// One entry as the client reads it.
tagServer ReadServer(const CProfileDocument& document, std::optional<size_t> serverInfo, std::int64_t number,
                     CReporter& reporter, CEntrySections& entries, std::u16string& key)
{
    SetItemKey(key, number);
    std::u16string name = ReadXorValue(document, serverInfo, tagProfileKey(key), reporter);
    const tagMd5Hex digest = Md5HexDigits(name);
    return ReadNamedServer(document, std::move(name), digest, reporter, entries);
}

// An entry's name read ahead of its turn, into `name`; false, with nothing reported, when reading it
// would report something.
bool ReadNameQuietly(const CProfileDocument& document, std::optional<size_t> serverInfo,
                     const tagProfileKey& key, std::u16string& name)
{
    name.clear();
    if (!serverInfo)
        return true;
    if (std::optional<std::string_view> bytes = document.GetValueBytes(*serverInfo, key)) {
        if (XorDecryptPlainQuietly(*bytes, name))
            return true;
        if (AsciiPrefix(*bytes) == bytes->size())
            return XorDecryptAsciiQuietly(*bytes, name);
    }
    return XorDecryptQuietly(ReadValue(document, serverInfo, key), name);
}

// The entries from `first` on, as many as the digest takes side by side, when all their names read
// quietly; false, with nothing added, otherwise.
bool ReadServerBatch(const CProfileDocument& document, std::optional<size_t> serverInfo, std::int64_t first,
                     CReporter& reporter, CArray<tagServer>& servers, CEntrySections& entries,
                     std::u16string& key)
{
    std::array<std::u16string, kMd5Lanes> names;
    for (size_t lane = 0; lane < kMd5Lanes; ++lane) {
        SetItemKey(key, first + static_cast<std::int64_t>(lane));
        if (!ReadNameQuietly(document, serverInfo, tagProfileKey(key), names[lane]))
            return false;
    }
    std::array<std::u16string_view, kMd5Lanes> texts;
    for (size_t lane = 0; lane < kMd5Lanes; ++lane)
        texts[lane] = names[lane];
    std::array<tagMd5Hex, kMd5Lanes> digests;
    Md5HexDigitsOf(texts, digests);
    for (size_t lane = 0; lane < kMd5Lanes; ++lane)
        servers.push_back(
            ReadNamedServer(document, std::move(names[lane]), digests[lane], reporter, entries));
    return true;
}

// The entries in the client's order. They go in batches whose names' digests are taken side by side; a
// batch with a name that would report something is read entry by entry instead, so that every message
// comes in the order of the entries.
void ReadServers(const CProfileDocument& document, std::int64_t count, CReporter& reporter,
                 CArray<tagServer>& servers, CEntrySections& entries)
{
    const std::optional<size_t> serverInfo = document.FindSection(kServerInfo);
    std::u16string key;
    const auto lanes = static_cast<std::int64_t>(kMd5Lanes);
    std::int64_t number = 1;
    for (; number + lanes - 1 <= count; number += lanes) {
        if (ReadServerBatch(document, serverInfo, number, reporter, servers, entries, key))
            continue;
        for (std::int64_t lane = 0; lane < lanes; ++lane)
            servers.push_back(ReadServer(document, serverInfo, number + lane, reporter, entries, key));
    }
    for (; number <= count; ++number)
        servers.push_back(ReadServer(document, serverInfo, number, reporter, entries, key));
}

} // namespace

std::int64_t ServerListEntryBound(const CProfileDocument& document)
{
    return static_cast<std::int64_t>(document.CountKeyNames(kServerInfo, kItemPrefix)) +
           kServerListCountMargin;
}

std::int64_t StatedItemCount(const CProfileDocument& document)
{
    return document.GetInt(kServerInfo, u"ItemCount", 0);
}

std::int64_t LoadedItemCount(const CProfileDocument& document, std::int64_t stated)
{
    if (stated <= kServerListCountMargin)
        return std::max<std::int64_t>(stated, 0);
    return std::min(stated, ServerListEntryBound(document));
}

namespace {

// The section that the name's MD5 text names, added when missing; the one known from the load when the
// entry at this place still has that name.
size_t SectionOfName(CProfileDocument& document, const std::vector<std::optional<size_t>>& known,
                     size_t index, const std::u16string& name)
{
    if (index < known.size() && known[index])
        return *known[index];
    return document.FindOrAddSection(Md5HexDigits(name).View());
}

// Sets the key to the XOR text of `plain`, encoded straight into the file's bytes when it takes the old
// value's place; `scratch` holds it otherwise.
void WriteXorValue(CProfileDocument& document, size_t section, const tagProfileKey& key,
                   std::u16string_view plain, CReporter& reporter, std::string& scratch)
{
    if (const size_t length = XorTextLength(plain); length != 0) {
        if (char* place = document.PlaceAsciiValue(section, key, length)) {
            XorEncryptAsciiTo(plain, place);
            return;
        }
    }
    XorEncryptAscii(plain, reporter, scratch);
    document.SetAsciiString(section, key, scratch);
}

// The writes in the client's order; every XOR text draws fresh keys. `known` holds the sections known
// from the load; `written` receives each entry's section.
void WriteServers(CProfileDocument& document, const CArray<tagServer>& servers,
                  const std::vector<std::optional<size_t>>& known, CReporter& reporter,
                  std::vector<std::optional<size_t>>& written)
{
    if (servers.empty()) {
        document.SetString(kGlobalInfo, u"LastServerName", u"");
        return;
    }
    document.SetString(kGlobalInfo, u"LastServerName", XorEncrypt(servers[0].strServerName, reporter));
    document.SetString(kServerInfo, u"ItemCount", FormatW(u"%d", {std::int64_t(servers.size())}));
    const size_t serverInfo = document.FindOrAddSection(kServerInfo);
    std::u16string key;
    std::string encrypted;
    std::array<char, kLongestNumber> number;
    for (size_t i = 0; i < servers.size(); ++i) {
        const tagServer& server = servers[i];
        SetItemKey(key, std::int64_t(i) + 1);
        WriteXorValue(document, serverInfo, tagProfileKey(key), server.strServerName, reporter, encrypted);
        const size_t section = SectionOfName(document, known, i, server.strServerName);
        document.SetAsciiString(section, ServerAddrKey(), IpToNumberAscii(server.strServerAddr, number));
        WriteXorValue(document, section, ServerDomainKey(), server.strServerDomain, reporter, encrypted);
        written.push_back(section);
    }
}

// The file as it is now: the document kept from the last load or save when the file still holds its
// bytes (`kept`), else the file read into `read` and parsed; an empty document when it cannot be read.
CProfileDocument CurrentList(CFileStore& files, const std::u16string& path, tagFileBytes& read, bool& kept)
{
    if (std::optional<CProfileDocument> unchanged = TakeUnchangedList(path, files)) {
        kept = true;
        return std::move(*unchanged);
    }
    read = files.Read(path);
    if (read.error.Failed())
        return CProfileDocument();
    return TakeParsedList(path, std::move(read.bytes), kept);
}

} // namespace

bool FindFileInModuleDir(const std::u16string& fileName, std::u16string& path)
{
    std::optional<std::u16string> found = FindFileNoCase(GetModuleDirectory(), fileName);
    if (!found)
        return false;
    path = *found;
    return true;
}

tagServerListLoad LoadServerList(const tagRunContext& context, const std::u16string& path,
                                 CArray<tagServer>& servers)
{
    CArray<tagServer>().swap(servers);
    tagServerListLoad result;
    // What an earlier load or save kept goes before the file is read, not beside it; its buffer takes
    // the new bytes.
    std::string buffer = ForgetParsedList();
    CProfileDocument document;
    result.error = document.Load(path, context.files, std::move(buffer));
    if (result.error.Failed()) {
        context.reporter.FileError(result.error);
        return result;
    }
    result.unreadableLines = document.UnreadableLines();
    // A negative count, as the platform returns it, means no entries.
    result.nStatedCount = StatedItemCount(document);
    result.nLoadedCount = LoadedItemCount(document, result.nStatedCount);
    if (result.nLoadedCount < result.nStatedCount)
        context.reporter.Message(CountCutMessage(result), u"ServerInfo.ini", MB_OK | MB_ICONEXCLAMATION);
    servers.reserve(size_t(result.nLoadedCount));
    CEntrySections entries;
    entries.Reserve(size_t(result.nLoadedCount));
    ReadServers(document, result.nLoadedCount, context.reporter, servers, entries);
    KeepParsedList(path, std::move(document), std::move(entries));
    return result;
}

std::u16string CountCutMessage(const tagServerListLoad& load)
{
    return FormatW(u"ItemCount=%I64d 远多于文件中保存的服务器，只加载了 %I64d 项",
                   {load.nStatedCount, load.nLoadedCount});
}

tagFileError SaveServerList(const tagRunContext& context, const std::u16string& path,
                            const CArray<tagServer>& servers)
{
    tagKeptEntries keptEntries = TakeKeptEntries(path, servers);
    std::vector<std::optional<size_t>>& known = keptEntries.sections;
    tagFileBytes read;
    bool kept = false;
    CProfileDocument document = CurrentList(context.files, path, read, kept);
    // A missing file saves as a new one; one that cannot be read is not replaced.
    const bool missing = read.error.m_lOsError == ENOENT;
    if (!kept)
        known.clear();
    // The encodings run even when the file cannot be read, so their messages and keys are the same.
    std::vector<std::optional<size_t>> written;
    written.reserve(servers.size());
    WriteServers(document, servers, known, context.reporter, written);
    if (read.error.Failed() && !missing)
        return read.error;
    tagFileError error = document.Save(path, context.files);
    if (error.Failed())
        return error;
    // The kept names serve again when every entry still has its name.
    CEntrySections entries = std::move(keptEntries.names);
    if (keptEntries.bSameNames)
        entries.SetSections(written);
    else
        entries = CEntrySections(servers, written);
    KeepParsedList(path, std::move(document), std::move(entries));
    return error;
}
