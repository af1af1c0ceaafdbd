// The server list file at sizes up to 100,000 entries, each measured beside its floor in the same run:
// a load and a save (what "serverlist edit" does) beside a copy of the file, the check beside a read.
#include "serverlist/ServerList.h"
#include "serverlist/ServerListCheck.h"

#include "bench/BenchReporter.h"
#include "bench/FigureReporter.h"
#include "bench/HeapCounter.h"
#include "bench/ScratchFolder.h"
#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/Cp936.h"
#include "framework/ProfileFile.h"
#include "framework/WideText.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kLongest = 63; // the longest name and domain a save encodes

const std::vector<int64_t> kListSizes = {100, 1000, 10000, 100000};
const std::vector<int64_t> kCheckSizes = {2500, 5000, 20000, 100000};

CScratchFolder& Scratch()
{
    static CScratchFolder folder;
    return folder;
}

std::u16string Padded(std::u16string text, char16_t padding)
{
    text.resize(kLongest, padding);
    return text;
}

std::u16string Number(int64_t value)
{
    return FromUtf8(std::to_string(value));
}

// A client's file of `entries` servers with 63-character names and domains, about 1.1 KB per entry.
std::string ListFile(int64_t entries)
{
    CReporter& reporter = BenchContext().reporter;
    std::u16string items;
    std::u16string sections;
    std::u16string first;
    for (int64_t i = 0; i < entries; ++i) {
        std::u16string name = Padded(u"电信服务器" + Number(i) + u"号", u'x');
        std::u16string address = Number(10) + u"." + Number(i / 65536 % 256) + u"." + Number(i / 256 % 256) +
                                 u"." + Number(i % 256);
        std::u16string domain = Padded(u"game" + Number(i) + u".example.com.", u'a');
        if (i == 0)
            first = name;
        items += u"ItemDescribe" + Number(i + 1) + u"=" + XorEncrypt(name, reporter) + u"\r\n";
        sections += u"[" + Md5Hex(name) + u"]\r\nServerAddr=" + IpToNumber(address) + u"\r\nServerDomain=" +
                    XorEncrypt(domain, reporter) + u"\r\n";
    }
    std::u16string text = u"[GlobalInfo]\r\nLastServerName=" + XorEncrypt(first, reporter) +
                          u"\r\n[ServerInfo]\r\nItemCount=" + Number(entries) + u"\r\n" + items + sections;
    return Cp936EncodeBestFit(text);
}

void WriteWhole(const std::string& path, std::string_view bytes)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw std::runtime_error("cannot write " + path);
    for (size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            throw std::runtime_error("cannot write " + path);
        done += n > 0 ? static_cast<size_t>(n) : 0;
    }
    ::close(fd);
}

// Reads the file whole into `bytes`, whose memory a caller may keep from one read to the next.
void ReadWholeInto(const std::string& path, std::string& bytes)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0)
        throw std::runtime_error("cannot read " + path);
    bytes.resize(static_cast<size_t>(st.st_size));
    for (size_t done = 0; done < bytes.size();) {
        ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n == 0)
            break;
        if (n < 0 && errno != EINTR)
            throw std::runtime_error("cannot read " + path);
        done += n > 0 ? static_cast<size_t>(n) : 0;
    }
    ::close(fd);
}

std::string ReadWhole(const std::string& path)
{
    std::string bytes;
    ReadWholeInto(path, bytes);
    return bytes;
}

// The file of each size, made once per run.
const std::string& ListPath(int64_t entries)
{
    static std::map<int64_t, std::string> paths;
    auto found = paths.find(entries);
    if (found != paths.end())
        return found->second;
    std::string path = Scratch().File("list-" + std::to_string(entries) + ".ini");
    WriteWhole(path, ListFile(entries));
    return paths.emplace(entries, path).first->second;
}

size_t FileSize(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
}

// What "serverlist edit FILE 0 --addr 10.0.0.0" does to the file.
bool EditFirstAddress(const std::u16string& path)
{
    CArray<tagServer> servers;
    if (LoadServerList(BenchContext(), path, servers).error.Failed() || servers.empty())
        return false;
    servers[0].strServerAddr = u"10.0.0.0";
    return !SaveServerList(BenchContext(), path, servers).Failed();
}

void BM_LoadSave(benchmark::State& state)
{
    const std::string path = Scratch().File("edit.ini");
    WriteWhole(path, ReadWhole(ListPath(state.range(0))));
    const std::u16string widePath = FromUtf8(path);
    for (auto _ : state) {
        if (!EditFirstAddress(widePath))
            state.SkipWithError("the edit failed");
    }
    // One more edit, outside the timing, for the heap it takes beside the file's size.
    CHeapPeak heap;
    EditFirstAddress(widePath);
    state.counters["heap_per_file"] = static_cast<double>(heap.Peak()) / static_cast<double>(FileSize(path));
    state.counters["file_MB"] = static_cast<double>(FileSize(path)) / 1e6;
}

// The floor: the file read whole and written whole, as a copy does it.
void BM_Copy(benchmark::State& state)
{
    const std::string& from = ListPath(state.range(0));
    const std::string to = Scratch().File("copy.ini");
    // One buffer for every copy, as a copying program keeps its own: a new one each time would measure
    // the allocator, whose memory is new pages or reused ones depending on what ran before.
    std::string bytes;
    for (auto _ : state) {
        ReadWholeInto(from, bytes);
        WriteWhole(to, bytes);
    }
}

// What "serverlist check FILE" does: read, parse, check.
void BM_Check(benchmark::State& state)
{
    const std::u16string path = FromUtf8(ListPath(state.range(0)));
    for (auto _ : state) {
        tagFileBytes read = DiskStore().Read(path);
        CProfileDocument document;
        document.LoadBytes(read.bytes);
        std::vector<tagFinding> findings = CheckServerList(document);
        benchmark::DoNotOptimize(findings.data());
    }
}

void CheckSizes(benchmark::internal::Benchmark* benchmark)
{
    for (int64_t size : kCheckSizes)
        benchmark->Arg(size);
}

// Each size's load and save just before its copy, so that the two are measured close together in time: a
// machine shared with other work runs faster and slower by turns, and both then see the same turn.
void RegisterEditsBesideCopies()
{
    for (int64_t size : kListSizes) {
        benchmark::RegisterBenchmark("BM_LoadSave", BM_LoadSave)
            ->Arg(size)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly();
        benchmark::RegisterBenchmark("BM_Copy", BM_Copy)
            ->Arg(size)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly();
    }
}

BENCHMARK(BM_Check)->Apply(CheckSizes)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

std::string Name(const std::string& function, int64_t size)
{
    return function + "/" + std::to_string(size) +
           "/repeats:" + std::to_string(function == "BM_Check" ? 3 : 5);
}

// Time per entry at each size beside the smallest's: a linear cost keeps it near 1.
void PrintGrowth(const CFigureReporter& figures, const std::string& function,
                 const std::vector<int64_t>& sizes)
{
    std::optional<tagFigure> smallest = figures.Find(Name(function, sizes.front()));
    if (!smallest)
        return;
    const double base = smallest->cpuSeconds / static_cast<double>(sizes.front());
    std::printf("%s CPU time per entry:", function.c_str());
    for (int64_t size : sizes) {
        if (std::optional<tagFigure> figure = figures.Find(Name(function, size)))
            std::printf("  %lld: %.2f us (%.2fx)", static_cast<long long>(size),
                        figure->cpuSeconds / static_cast<double>(size) * 1e6,
                        figure->cpuSeconds / static_cast<double>(size) / base);
    }
    std::printf("\n");
}

void PrintHeap(const CFigureReporter& figures)
{
    std::printf("Heap held at the peak of a load and save, per byte of the file (limit 3):");
    for (int64_t size : kListSizes) {
        if (std::optional<tagFigure> figure = figures.Find(Name("BM_LoadSave", size)))
            std::printf("  %lld: %.2f", static_cast<long long>(size), figure->counters["heap_per_file"]);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("serverlist_bench: %s\n", ScratchRootDescription().c_str());
    RegisterEditsBesideCopies();
    CFigureReporter figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    std::vector<tagComparison> comparisons;
    for (int64_t size : {int64_t{10000}, int64_t{100000}})
        comparisons.push_back({"load + save, " + std::to_string(size) + " entries", Name("BM_LoadSave", size),
                               Name("BM_Copy", size), 5.0});
    PrintComparisons(figures, comparisons);
    PrintGrowth(figures, "BM_LoadSave", kListSizes);
    PrintGrowth(figures, "BM_Copy", kListSizes);
    PrintHeap(figures);
    PrintGrowth(figures, "BM_Check", kCheckSizes);
    if (std::optional<tagFigure> check = figures.Find(Name("BM_Check", 100000)))
        std::printf("Check of 100000 entries: %.3f s (limit 2 s)\n", check->realSeconds);
    benchmark::Shutdown();
    return 0;
}
