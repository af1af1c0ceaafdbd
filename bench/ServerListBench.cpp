#include "serverlist/ServerList.h"

#include "bench/BenchReporter.h"
#include "framework/WideText.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

// A fresh folder for the list file, removed at the end.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvane-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::u16string File() const { return FromUtf8(m_path + "/ServerInfo.ini"); }

private:
    std::string m_path;
};

CArray<tagServer> MakeServers(int64_t count)
{
    CArray<tagServer> servers;
    for (int64_t i = 0; i < count; ++i) {
        std::u16string number = FromUtf8(std::to_string(i));
        std::u16string address = FromUtf8("10." + std::to_string(i / 65536 % 256) + "." +
                                          std::to_string(i / 256 % 256) + "." + std::to_string(i % 256));
        servers.push_back({u"电信服务器" + number, address, u"game" + number + u".example.com"});
    }
    return servers;
}

void BM_SaveServerList(benchmark::State& state)
{
    ScratchFolder folder;
    CArray<tagServer> servers = MakeServers(state.range(0));
    for (auto _ : state) {
        if (SaveServerList(BenchContext(), folder.File(), servers).Failed())
            state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadServerList(benchmark::State& state)
{
    ScratchFolder folder;
    if (SaveServerList(BenchContext(), folder.File(), MakeServers(state.range(0))).Failed())
        state.SkipWithError("save failed");
    CArray<tagServer> servers;
    for (auto _ : state) {
        LoadServerList(BenchContext(), folder.File(), servers);
        benchmark::DoNotOptimize(servers.data());
    }
    if (servers.size() != static_cast<size_t>(state.range(0)))
        state.SkipWithError("load lost entries");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_SaveServerList)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadServerList)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Nothing here should show a box; swallow any so a run never waits for a person.
    SetMessageBoxHandler([](const MessageBoxRequest&) { return IDOK; });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
