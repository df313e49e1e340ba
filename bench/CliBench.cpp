// Figure 2: quintaro-cli converting each Debian bank end to end as a whole process, warm cache,
// beside a process of ours that does nothing, in each of the three builds.
#include "bench/BankFacts.h"
#include "bench/Benchmarks.h"
#include "bench/Spawn.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace bench {

namespace {

void RunWholeProcess(benchmark::State& state, std::vector<std::string> argv)
{
    // The first run brings the program, its libraries and the bank's tables into the page cache.
    if (RunProcess(argv).exitCode != 0) {
        state.SkipWithError(("failed: " + argv[0]).c_str());
        return;
    }
    double cpu = 0;
    double faults = 0;
    for (auto _ : state) {
        const ProcessRun run = RunProcess(argv);
        if (run.exitCode != 0) {
            state.SkipWithError(("failed: " + argv[0]).c_str());
            return;
        }
        state.SetIterationTime(run.wallSeconds);
        cpu += run.cpuSeconds;
        faults += static_cast<double>(run.pageFaults);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["cpu_us"] = cpu / n * 1e6;
    state.counters["faults"] = faults / n;
}

void Register(const std::string& name, std::vector<std::string> argv)
{
    Repeated(benchmark::RegisterBenchmark(name.c_str(), RunWholeProcess, std::move(argv))
                 ->UseManualTime()
                 ->Unit(benchmark::kMicrosecond));
}

} // namespace

void RegisterCliBenchmarks()
{
    for (const auto& [group, suffix] : kCliBuilds) {
        Register(std::string(group) + "/floor", {BinaryDir() + "/quintaro-noop" + suffix});
        for (const BankFacts& facts : DebianBanks()) {
            if (!facts.present)
                continue;
            Register(std::string(group) + "/" + facts.name, {BinaryDir() + "/quintaro-cli" + suffix, facts.path, "-o",
                                                             ScratchDir() + "/" + facts.name + suffix + ".xml"});
        }
    }
    // The same conversion with the output on the disk's file system instead of in memory: replacing
    // an existing file there makes the file system write the new one out at once.
    for (const BankFacts& facts : DebianBanks()) {
        if (facts.present && facts.name == kTargetBank)
            Register("CliDisk/" + facts.name,
                     {BinaryDir() + "/quintaro-cli-static", facts.path, "-o", DiskScratchDir() + "/" + facts.name + ".xml"});
    }
}

} // namespace bench
