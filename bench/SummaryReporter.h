// Passes every result on to Google Benchmark's own console report and keeps the medians, from
// which it prints the short table of figures (Markdown, as docs/performance.md holds it).
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>

namespace bench {

struct Figure {
    double seconds = 0;     // median real time per iteration
    double cv = 0;          // coefficient of variation of the repetitions' times
    double min = 0;         // the fastest repetition: what the code costs when nothing else runs
    std::map<std::string, double> counters;
};

class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;

    // The table of figures, with the machine they came from and the verdict on each target.
    void PrintSummary(std::ostream& out) const;

private:
    const Figure* Find(const std::string& name) const;
    // What stands in a cell without a figure: "failed" for a benchmark that failed, a dash for one not run.
    std::string Missing(const std::string& name) const;
    void PrintMachine(std::ostream& out) const;
    void PrintLoading(std::ostream& out) const;
    void PrintCli(std::ostream& out) const;
    void PrintScale(std::ostream& out) const;
    void PrintMerge(std::ostream& out) const;

    std::map<std::string, Figure> m_figures;
    std::map<std::string, std::string> m_errors;
    int m_cpus = 0;
    double m_mhz = 0;
};

} // namespace bench
