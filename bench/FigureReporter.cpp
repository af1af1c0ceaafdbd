#include "bench/FigureReporter.h"

#include <cstdio>

namespace {

double Seconds(double value, benchmark::TimeUnit unit)
{
    return value / benchmark::GetTimeUnitMultiplier(unit);
}

tagFigure FigureOf(const benchmark::BenchmarkReporter::Run& run)
{
    tagFigure figure;
    figure.cpuSeconds = Seconds(run.GetAdjustedCPUTime(), run.time_unit);
    figure.realSeconds = Seconds(run.GetAdjustedRealTime(), run.time_unit);
    for (const auto& [name, counter] : run.counters)
        figure.counters[name] = counter.value;
    return figure;
}

} // namespace

void CFigureReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        const std::string name = run.run_name.str();
        // A repeated benchmark is known by its median; a single run by itself.
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            m_figures[name] = FigureOf(run);
        else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
            m_figures[name] = FigureOf(run);
    }
    ConsoleReporter::ReportRuns(runs);
}

std::optional<tagFigure> CFigureReporter::Find(const std::string& name) const
{
    auto found = m_figures.find(name);
    if (found == m_figures.end())
        return std::nullopt;
    return found->second;
}

bool PrintComparisons(const CFigureReporter& figures, const std::vector<tagComparison>& comparisons)
{
    bool allWithin = true;
    std::printf("\n%-34s %10s %10s %10s %10s %9s %9s %6s\n", "", "CPU ms", "floor CPU", "real ms",
                "floor real", "CPU ratio", "real ratio", "limit");
    for (const tagComparison& comparison : comparisons) {
        std::optional<tagFigure> measured = figures.Find(comparison.strMeasured);
        std::optional<tagFigure> floor = figures.Find(comparison.strFloor);
        if (!measured || !floor || floor->cpuSeconds <= 0 || floor->realSeconds <= 0) {
            std::printf("%-34s (not measured)\n", comparison.strWhat.c_str());
            allWithin = false;
            continue;
        }
        const double cpuRatio = measured->cpuSeconds / floor->cpuSeconds;
        const double realRatio = measured->realSeconds / floor->realSeconds;
        const bool within = cpuRatio <= comparison.limit;
        allWithin = allWithin && within;
        std::printf("%-34s %10.2f %10.2f %10.2f %10.2f %8.2fx %9.2fx %5.1fx %s\n", comparison.strWhat.c_str(),
                    measured->cpuSeconds * 1e3, floor->cpuSeconds * 1e3, measured->realSeconds * 1e3,
                    floor->realSeconds * 1e3, cpuRatio, realRatio, comparison.limit, within ? "ok" : "OVER");
    }
    return allWithin;
}
