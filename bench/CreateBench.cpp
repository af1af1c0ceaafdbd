// The creation page's OK command over a deployment folder of 200 to 5,000 games, beside its floor in the
// same run: the same files written with the same pattern (a locked temporary file beside the target,
// renamed over it) and the same flushes, with nothing else around them.
#include "create/CreationRun.h"

#include "bench/BenchReporter.h"
#include "bench/FigureReporter.h"
#include "bench/ScratchFolder.h"
#include "framework/Cp936.h"
#include "framework/WideText.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::vector<int64_t> kGameCounts = {200, 1000, 5000};
constexpr int kRepeats = 3;

// One file the run writes, kept so that the floor can write it again the same way.
struct tagRecordedWrite
{
    std::string strPath;
    std::string strBytes;
    bool bFlushed = false; // flushed before the call returned, rather than by the closing Sync()
    int nGroup = -1;       // writes of one ReplaceTogether share a number
};

// The disk, noting every replacement that passes through.
class CRecordingStore : public CFileStore
{
public:
    tagFileBytes Read(const std::u16string& path) override { return DiskStore().Read(path); }
    tagFileMatch Compare(const std::u16string& path, std::string_view bytes) override
    {
        return DiskStore().Compare(path, bytes);
    }
    tagFileError Replace(const std::u16string& path, std::string_view bytes, Durability durability) override
    {
        m_writes.push_back({ToUtf8(path), std::string(bytes), durability == Durability::flushed, -1});
        return DiskStore().Replace(path, bytes, durability);
    }
    tagFileError ReplaceTogether(const std::vector<tagFileWrite>& writes) override
    {
        for (const tagFileWrite& write : writes)
            m_writes.push_back({ToUtf8(write.path), write.bytes, true, m_nGroups});
        ++m_nGroups;
        return DiskStore().ReplaceTogether(writes);
    }
    bool CreateFolder(const std::u16string& path) override { return DiskStore().CreateFolder(path); }
    bool Exists(const std::u16string& path) override { return DiskStore().Exists(path); }
    void Sync() override { DiskStore().Sync(); }
    tagFileError LockForChange(const std::u16string& path, CFileLock& lock) override
    {
        return DiskStore().LockForChange(path, lock);
    }

    std::vector<tagRecordedWrite> Take() { return std::move(m_writes); }

private:
    std::vector<tagRecordedWrite> m_writes;
    int m_nGroups = 0;
};

std::string Folder(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

void Check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what + ": " + std::to_string(errno));
}

void FlushFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    Check(fd >= 0 && ::fsync(fd) == 0, "fsync " + folder);
    ::close(fd);
}

// The pattern without anything around it: a locked temporary file beside the target, its bytes, its mode,
// a flush when the write asks for one. Returns the temporary file's path, still open as `fd`.
std::string PrepareTemporary(const tagRecordedWrite& write, mode_t mode, int& fd)
{
    std::string temp = Folder(write.strPath) + "/.korvane-floor-XXXXXX";
    fd = ::mkostemp(temp.data(), O_CLOEXEC);
    Check(fd >= 0 && ::flock(fd, LOCK_EX) == 0, "temporary file beside " + write.strPath);
    for (size_t done = 0; done < write.strBytes.size();) {
        ssize_t n = ::write(fd, write.strBytes.data() + done, write.strBytes.size() - done);
        Check(n >= 0 || errno == EINTR, "write " + temp);
        done += n > 0 ? static_cast<size_t>(n) : 0;
    }
    Check(::fchmod(fd, mode) == 0, "fchmod " + temp);
    if (write.bFlushed)
        Check(::fsync(fd) == 0, "fsync " + temp);
    return temp;
}

// Writes the recorded files again as the run wrote them: groups are all prepared before their renames.
void WriteLikeTheRun(const std::vector<tagRecordedWrite>& writes, mode_t mode)
{
    bool deferred = false;
    for (size_t i = 0; i < writes.size();) {
        size_t end = i + 1;
        while (writes[i].nGroup >= 0 && end < writes.size() && writes[end].nGroup == writes[i].nGroup)
            ++end;
        std::vector<std::pair<std::string, int>> temps;
        for (size_t k = i; k < end; ++k) {
            int fd = -1;
            temps.emplace_back(PrepareTemporary(writes[k], mode, fd), fd);
        }
        std::set<std::string> folders;
        for (size_t k = i; k < end; ++k) {
            Check(::rename(temps[k - i].first.c_str(), writes[k].strPath.c_str()) == 0, "rename");
            ::close(temps[k - i].second);
            if (writes[k].bFlushed)
                folders.insert(Folder(writes[k].strPath));
            else
                deferred = true;
        }
        for (const std::string& folder : folders)
            FlushFolder(folder);
        i = end;
    }
    if (deferred) {
        int fd = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        Check(fd >= 0 && ::syncfs(fd) == 0, "syncfs");
        ::close(fd);
    }
}

// A copy of the sample deployment folder with a game list of `games` rows, and the files of one run.
class CDeployment
{
public:
    explicit CDeployment(int64_t games)
    {
        fs::copy(fs::u8path(std::string(KORVANE_SOURCE_DIR) + "/deploy/脚本代码"), Path("脚本代码"),
                 fs::copy_options::recursive);
        WriteGameList(games);
        fs::copy_file(Path("脚本代码/一键安装.bat"), Path("一键安装.bat.orig"));
        fs::copy_file(Path("脚本代码/数据库脚本/数据库删除.sql"), Path("数据库删除.sql.orig"));
        m_request = {u"星河网络", u"XingHe", u"www.xinghe.example",
                     u"10.0.0.1", u"XingHe", FromUtf8(m_folder.Path() + "/"),
                     {}};
    }

    // Every run extends the batch file and the drop script: each starts from the sample's.
    void Restore() const
    {
        fs::copy_file(Path("一键安装.bat.orig"), Path("脚本代码/一键安装.bat"),
                      fs::copy_options::overwrite_existing);
        fs::copy_file(Path("数据库删除.sql.orig"), Path("脚本代码/数据库脚本/数据库删除.sql"),
                      fs::copy_options::overwrite_existing);
    }

    // The OK command with every option, run in the folder that the installer scripts go into.
    bool Run(CFileStore& files)
    {
        return RunCreation(tagRunContext{BenchContext().reporter, files}, m_request, tagCreateOptions{});
    }

    fs::path Path(const std::string& name) const { return fs::u8path(m_folder.File(name)); }

private:
    void WriteGameList(int64_t games) const
    {
        std::u16string list = u"USE QPPlatformDB\r\nGO\r\n";
        for (int64_t i = 0; i < games; ++i) {
            std::u16string n = FromUtf8(std::to_string(i));
            list += u"INSERT [GameGameItem] VALUES ( " + n + u", N'游戏" + n + u"', N'10.0.0.5', N'Game" + n +
                    u"ScoreDB', N'Game" + n + u"Server.dll')\r\n";
        }
        std::ofstream(Path("脚本代码/数据脚本/游戏列表.sql"), std::ios::binary)
            << Cp936EncodeExact(list).value();
    }

    CScratchFolder m_folder;
    tagCreateRequest m_request;
};

// Changes the working folder for its life.
class CWorkingFolder
{
public:
    explicit CWorkingFolder(const fs::path& folder) : m_previous(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~CWorkingFolder() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

void BM_Create(benchmark::State& state)
{
    CDeployment deployment(state.range(0));
    CWorkingFolder working(deployment.Path(""));
    // The first run makes the folders and files; the measured ones find them there, as every later run does.
    if (!deployment.Run(DiskStore()))
        state.SkipWithError("the run failed");
    for (auto _ : state) {
        state.PauseTiming();
        deployment.Restore();
        state.ResumeTiming();
        if (!deployment.Run(DiskStore()))
            state.SkipWithError("the run failed");
    }
    state.counters["games"] = static_cast<double>(state.range(0));
}

void BM_WriteFloor(benchmark::State& state)
{
    CDeployment deployment(state.range(0));
    CWorkingFolder working(deployment.Path(""));
    CRecordingStore recorder;
    deployment.Restore();
    if (!deployment.Run(recorder))
        state.SkipWithError("the run failed");
    const std::vector<tagRecordedWrite> writes = recorder.Take();
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (auto _ : state)
        WriteLikeTheRun(writes, 0666 & ~mask);
    state.counters["files"] = static_cast<double>(writes.size());
}

void GameCounts(benchmark::internal::Benchmark* benchmark)
{
    for (int64_t games : kGameCounts)
        benchmark->Arg(games);
}

BENCHMARK(BM_Create)
    ->Apply(GameCounts)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepeats)
    ->ReportAggregatesOnly();
BENCHMARK(BM_WriteFloor)
    ->Apply(GameCounts)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepeats)
    ->ReportAggregatesOnly();

std::string Name(const std::string& function, int64_t games)
{
    return function + "/" + std::to_string(games) + "/repeats:" + std::to_string(kRepeats);
}

void PrintGrowth(const CFigureReporter& figures)
{
    std::optional<tagFigure> smallest = figures.Find(Name("BM_Create", kGameCounts.front()));
    if (!smallest)
        return;
    const double base = smallest->cpuSeconds / static_cast<double>(kGameCounts.front());
    std::printf("Create, CPU time per game:");
    for (int64_t games : kGameCounts) {
        if (std::optional<tagFigure> figure = figures.Find(Name("BM_Create", games)))
            std::printf("  %lld: %.1f us (%.2fx)", static_cast<long long>(games),
                        figure->cpuSeconds / static_cast<double>(games) * 1e6,
                        figure->cpuSeconds / static_cast<double>(games) / base);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("create_bench: %s\n", ScratchRootDescription().c_str());
    CFigureReporter figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    std::vector<tagComparison> comparisons;
    for (int64_t games : {int64_t{1000}, int64_t{5000}})
        comparisons.push_back({"create, " + std::to_string(games) + " games", Name("BM_Create", games),
                               Name("BM_WriteFloor", games), 1.5});
    PrintComparisons(figures, comparisons);
    PrintGrowth(figures);
    benchmark::Shutdown();
    return 0;
}
