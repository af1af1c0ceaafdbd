#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "framework/FileSandbox.h"
#include "serverlist/ServerList.h"
#include "serverlist/ServerListCheck.h"

#include "FuzzSupport.h"

#include <set>

namespace {

class CCountingReporter : public CReporter
{
public:
    void Report(const MessageBoxRequest&) override { ++m_nCount; }
    int m_nCount = 0;
};

// The sandbox refuses what the disk would: the file's folder must exist, though nothing is written.
const std::u16string kPath = u"/tmp/korvane-fuzz-ServerInfo.ini";

// Entries that a save and a load give back as they are: names and domains the encoder takes, addresses
// that are what a stored number reads as (a malformed number can read as "6.225.118.-264310331", which
// the address codec does not take back to the same number), and no two names sharing a section.
bool SurvivesASave(const CArray<tagServer>& servers)
{
    std::set<std::u16string> sections;
    for (const tagServer& server : servers) {
        if (server.strServerName.size() > 63 || server.strServerDomain.size() > 63)
            return false;
        if (NumberToIp(IpToNumber(server.strServerAddr)) != server.strServerAddr)
            return false;
        if (!sections.insert(Md5Hex(server.strServerName)).second)
            return false;
    }
    return true;
}

} // namespace

// Input: a server list file's bytes. The load stays within its bound, the check runs over the same
// document, and what the load gave survives a save and a second load.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    CFileSandbox sandbox;
    CCountingReporter reporter;
    tagRunContext context{reporter, sandbox};
    FUZZ_CHECK(!sandbox.Replace(kPath, AsBytes(data, size)).Failed());

    CArray<tagServer> servers;
    tagServerListLoad load = LoadServerList(context, kPath, servers);
    FUZZ_CHECK(servers.size() == size_t(load.nLoadedCount));
    FUZZ_CHECK(load.nLoadedCount <= std::int64_t(size) + kServerListCountMargin);

    CProfileDocument document;
    document.LoadBytes(AsBytes(data, size));
    CheckServerList(document);

    if (!SurvivesASave(servers))
        return 0;
    FUZZ_CHECK(!SaveServerList(context, kPath, servers).Failed());
    CArray<tagServer> reloaded;
    LoadServerList(context, kPath, reloaded);
    FUZZ_CHECK(reloaded == servers);
    return 0;
}
