#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// One benchmark's figures per iteration: the median of its repetitions when it was repeated.
struct tagFigure
{
    double cpuSeconds = 0;
    double realSeconds = 0;
    std::map<std::string, double> counters;
};

// Shows every run as the console reporter does and keeps the figures, so that a program can set a
// measurement beside its floor at the end.
class CFigureReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // By the benchmark's name as shown without an aggregate's suffix ("BM_Copy/10000").
    std::optional<tagFigure> Find(const std::string& name) const;

private:
    std::map<std::string, tagFigure> m_figures;
};

// One line of the closing table.
struct tagComparison
{
    std::string strWhat;     // "load + save, 10000 entries"
    std::string strMeasured; // benchmark names
    std::string strFloor;
    double limit = 0; // the ratio of CPU times the measurement must stay within
};

// Prints each measurement's CPU and real time beside its floor's, with both ratios, and whether the
// ratio of CPU times is within the limit: on a machine shared with other work the wall clock also
// counts their turns, while on a RAM disk nothing waits for a device. Returns false when one is over,
// or a figure is missing.
bool PrintComparisons(const CFigureReporter& figures, const std::vector<tagComparison>& comparisons);
