#include "create/DatabaseScripts.h"
#include "create/GameList.h"
#include "create/InstallerScripts.h"

#include "framework/Cp936.h"
#include "bench/BenchReporter.h"
#include "framework/WideText.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

// A copy of the sample deployment folder with a game list of `games` rows, removed at the end.
class Deployment
{
public:
    explicit Deployment(int64_t games)
    {
        std::string pattern = (fs::temp_directory_path() / "korvane-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
        fs::copy(fs::u8path(std::string(KORVANE_SOURCE_DIR) + "/deploy/脚本代码"), Path("脚本代码"),
                 fs::copy_options::recursive);
        std::u16string list = u"USE QPPlatformDB\r\nGO\r\n";
        for (int64_t i = 0; i < games; ++i) {
            std::u16string n = FromUtf8(std::to_string(i));
            list += u"INSERT [GameGameItem] VALUES ( " + n + u", N'游戏" + n + u"', N'10.0.0.5', N'Game" + n +
                    u"ScoreDB', N'Game" + n + u"Server.dll')\r\n";
        }
        std::ofstream(Path("脚本代码/数据脚本/游戏列表.sql"), std::ios::binary)
            << Cp936EncodeExact(list).value();
        fs::copy_file(Path("脚本代码/一键安装.bat"), Path("一键安装.bat.orig"));
        fs::copy_file(Path("脚本代码/数据库脚本/数据库删除.sql"), Path("数据库删除.sql.orig"));
    }
    ~Deployment()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }

    // Every run extends the batch file and the drop script: start each from the sample's.
    void Restore() const
    {
        fs::copy_file(Path("一键安装.bat.orig"), Path("脚本代码/一键安装.bat"),
                      fs::copy_options::overwrite_existing);
        fs::copy_file(Path("数据库删除.sql.orig"), Path("脚本代码/数据库脚本/数据库删除.sql"),
                      fs::copy_options::overwrite_existing);
    }

    fs::path Path(const std::string& name) const { return fs::u8path(m_path + "/" + name); }
    std::u16string ModuleDir() const { return FromUtf8(m_path + "/"); }

private:
    std::string m_path;
};

// One OK command with both generators: read the list, database scripts, installer scripts.
void BM_FullRun(benchmark::State& state)
{
    Deployment deployment(state.range(0));
    const fs::path previous = fs::current_path();
    fs::current_path(deployment.Path(""));
    tagCreateRequest request{
        u"星河网络", u"星河棋牌", u"www.xinghe.example", u"10.0.0.1", u"XingHe", deployment.ModuleDir(), {}};
    for (auto _ : state) {
        state.PauseTiming();
        deployment.Restore();
        state.ResumeTiming();
        bool ok =
            ReadGameList(BenchContext(), request.strModuleDir, request.GameList) == GameListRead::read &&
            MakeDatabaseScripts(BenchContext(), request.strModuleDir, request.GameList) &&
            MakeInstallerScripts(BenchContext(), request);
        if (!ok)
            state.SkipWithError("run failed");
    }
    fs::current_path(previous);
    state.counters["games"] = static_cast<double>(request.GameList.size());
}
BENCHMARK(BM_FullRun)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
