// quintaro-bench: the figures of docs/performance.md. Google Benchmark's own report goes to
// stderr; stdout gets the short table. Arguments are Google Benchmark's (--benchmark_filter=...).
#include "bench/Benchmarks.h"
#include "bench/SummaryReporter.h"
#include "platform/Path.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <vector>

namespace bench {

benchmark::internal::Benchmark* Repeated(benchmark::internal::Benchmark* b)
{
    return b->Repetitions(kRepetitions)->ReportAggregatesOnly(true)->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });
}

const std::string& BinaryDir()
{
    static const std::string dir = PathRemoveFileSpec(GetModuleFilePath()).GetString();
    return dir;
}

namespace {

std::string MakeScratchDir(const std::filesystem::path& parent)
{
    std::string pattern = (parent / "quintaro-bench.XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::cerr << "cannot create a scratch folder in " << parent << "\n";
        std::exit(1);
    }
    return pattern;
}

} // namespace

const std::string& ScratchDir()
{
    static const std::string dir = [] {
        std::error_code error;
        const bool shm = std::filesystem::is_directory("/dev/shm", error);
        return MakeScratchDir(shm ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path());
    }();
    return dir;
}

const std::string& DiskScratchDir()
{
    static const std::string dir = MakeScratchDir(std::filesystem::temp_directory_path());
    return dir;
}

} // namespace bench

int main(int argc, char** argv)
{
    // Freed memory stays with this process, so that what the in-process figures measure is the code
    // and not the first touch of pages handed back and forth, which on a virtual machine can cost
    // more than the work itself. The whole-process figures (quintaro-cli) pay for their pages.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    bench::RegisterLoadBenchmarks();
    bench::RegisterCliBenchmarks();
    bench::RegisterScaleBenchmarks();
    bench::RegisterMergeBenchmarks();

    bench::SummaryReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.PrintSummary(std::cout);

    std::error_code ignored;
    std::filesystem::remove_all(bench::ScratchDir(), ignored);
    std::filesystem::remove_all(bench::DiskScratchDir(), ignored);
    return 0;
}
