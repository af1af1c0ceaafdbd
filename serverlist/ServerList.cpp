#include "serverlist/ServerList.h"

#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/FileSystem.h"
#include "framework/WideText.h"
#include "framework/Format.h"
#include "framework/ProfileFile.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

constexpr std::u16string_view kGlobalInfo = u"GlobalInfo";
constexpr std::u16string_view kServerInfo = u"ServerInfo";
constexpr std::u16string_view kItemPrefix = u"ItemDescribe";

std::u16string ItemKey(std::int64_t number)
{
    return FormatW(u"ItemDescribe%d", {number});
}

// A missing key reads as an empty text, as an empty default would give it.
std::u16string ReadValue(const CProfileDocument& document, std::u16string_view section,
                         std::u16string_view key)
{
    return document.GetString(section, key).value_or(std::u16string());
}

tagServer ReadServer(const CProfileDocument& document, std::int64_t number, CReporter& reporter)
{
    tagServer server;
    server.strServerName = XorDecrypt(ReadValue(document, kServerInfo, ItemKey(number)), reporter);
    std::u16string section = Md5Hex(server.strServerName);
    server.strServerAddr = NumberToIp(ReadValue(document, section, u"ServerAddr"));
    server.strServerDomain = XorDecrypt(ReadValue(document, section, u"ServerDomain"), reporter);
    return server;
}

} // namespace

std::int64_t ServerListEntryBound(const CProfileDocument& document)
{
    std::int64_t stored = 0;
    for (const std::u16string& key : document.KeyNames(kServerInfo)) {
        if (StartsWithNoCaseAscii(key, kItemPrefix))
            ++stored;
    }
    return stored + kServerListCountMargin;
}

std::int64_t StatedItemCount(const CProfileDocument& document)
{
    return document.GetInt(kServerInfo, u"ItemCount", 0);
}

namespace {

// The writes in the client's order; every XOR text draws fresh keys.
void WriteServers(CProfileDocument& document, const CArray<tagServer>& servers, CReporter& reporter)
{
    if (servers.empty()) {
        document.SetString(kGlobalInfo, u"LastServerName", u"");
        return;
    }
    document.SetString(kGlobalInfo, u"LastServerName", XorEncrypt(servers[0].strServerName, reporter));
    document.SetString(kServerInfo, u"ItemCount", FormatW(u"%d", {std::int64_t(servers.size())}));
    for (size_t i = 0; i < servers.size(); ++i) {
        const tagServer& server = servers[i];
        document.SetString(kServerInfo, ItemKey(std::int64_t(i) + 1),
                           XorEncrypt(server.strServerName, reporter));
        std::u16string section = Md5Hex(server.strServerName);
        document.SetString(section, u"ServerAddr", IpToNumber(server.strServerAddr));
        document.SetString(section, u"ServerDomain", XorEncrypt(server.strServerDomain, reporter));
    }
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
    CProfileDocument document;
    result.error = document.Load(path, context.files);
    if (result.error.Failed()) {
        context.reporter.FileError(result.error);
        return result;
    }
    // A negative count, as the platform returns it, means no entries.
    result.nStatedCount = StatedItemCount(document);
    result.nLoadedCount = std::clamp<std::int64_t>(result.nStatedCount, 0, ServerListEntryBound(document));
    if (result.nLoadedCount < result.nStatedCount)
        context.reporter.Message(CountCutMessage(result), u"ServerInfo.ini", MB_OK | MB_ICONEXCLAMATION);
    servers.reserve(size_t(result.nLoadedCount));
    for (std::int64_t number = 1; number <= result.nLoadedCount; ++number)
        servers.push_back(ReadServer(document, number, context.reporter));
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
    CProfileDocument document;
    tagFileError error = document.Load(path, context.files);
    // The encodings run even when the file cannot be read, so their messages and keys are the same.
    WriteServers(document, servers, context.reporter);
    return error.Failed() ? error : document.Save(path, context.files);
}
