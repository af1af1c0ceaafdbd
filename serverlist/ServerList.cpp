#include "serverlist/ServerList.h"

#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/FileSystem.h"
#include "framework/Format.h"
#include "framework/ProfileFile.h"

#include <cstdint>
#include <optional>

namespace {

constexpr std::u16string_view kGlobalInfo = u"GlobalInfo";
constexpr std::u16string_view kServerInfo = u"ServerInfo";

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

tagServer ReadServer(const CProfileDocument& document, std::int64_t number)
{
    tagServer server;
    server.strServerName = XorDecrypt(ReadValue(document, kServerInfo, ItemKey(number)));
    std::u16string section = Md5Hex(server.strServerName);
    server.strServerAddr = NumberToIp(ReadValue(document, section, u"ServerAddr"));
    server.strServerDomain = XorDecrypt(ReadValue(document, section, u"ServerDomain"));
    return server;
}

// The writes in the client's order; every XOR text draws fresh keys.
void WriteServers(CProfileDocument& document, const CArray<tagServer>& servers)
{
    if (servers.empty()) {
        document.SetString(kGlobalInfo, u"LastServerName", u"");
        return;
    }
    document.SetString(kGlobalInfo, u"LastServerName", XorEncrypt(servers[0].strServerName));
    document.SetString(kServerInfo, u"ItemCount", FormatW(u"%d", {std::int64_t(servers.size())}));
    for (size_t i = 0; i < servers.size(); ++i) {
        const tagServer& server = servers[i];
        document.SetString(kServerInfo, ItemKey(std::int64_t(i) + 1), XorEncrypt(server.strServerName));
        std::u16string section = Md5Hex(server.strServerName);
        document.SetString(section, u"ServerAddr", IpToNumber(server.strServerAddr));
        document.SetString(section, u"ServerDomain", XorEncrypt(server.strServerDomain));
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

void LoadServerList(const std::u16string& path, CArray<tagServer>& servers)
{
    CArray<tagServer>().swap(servers);
    CProfileDocument document;
    document.Load(path);
    // A negative count, as the platform returns it, means no entries. The counter is wider than the
    // count, so that a count of INT_MAX ends the loop instead of overflowing it.
    int count = document.GetInt(kServerInfo, u"ItemCount", 0);
    for (std::int64_t number = 1; number <= count; ++number)
        servers.push_back(ReadServer(document, number));
}

int SaveServerList(const std::u16string& path, const CArray<tagServer>& servers)
{
    CProfileDocument document;
    int error = document.Load(path);
    // The encodings run even when the file cannot be read, so their messages and keys are the same.
    WriteServers(document, servers);
    return error != 0 ? error : document.Save(path);
}
