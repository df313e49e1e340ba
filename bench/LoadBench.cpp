// Figure 1: loading each Debian bank, its time and the bytes our file layer read, beside what the
// bank's layout says must be read at least; and the whole conversion of it inside this process.
#include "bench/BankFacts.h"
#include "bench/Benchmarks.h"
#include "bench/SilentSink.h"
#include "definition/ExportDefinition.h"
#include "platform/CFile.h"
#include "soundfont/CSoundFont.h"

#include <benchmark/benchmark.h>

namespace bench {

namespace {

void LoadBank(benchmark::State& state, const BankFacts* facts)
{
    const SilentSink sink;
    const CString path(facts->path.c_str());
    int presets = 0;
    // One load outside the clock brings the tables into the page cache.
    {
        CSoundFont bank;
        if (!bank.Load(path)) {
            state.SkipWithError("the bank does not load");
            return;
        }
    }
    const std::uint64_t before = CFile::GetTotalBytesRead();
    for (auto _ : state) {
        CSoundFont bank;
        benchmark::DoNotOptimize(bank.Load(path));
        presets = bank.GetPresetCount();
    }
    const double read = static_cast<double>(CFile::GetTotalBytesRead() - before) / static_cast<double>(state.iterations());
    state.counters["read"] = read;
    state.counters["pdta"] = static_cast<double>(facts->pdtaSize);
    state.counters["limit"] = static_cast<double>(facts->limit);
    state.counters["tables"] = static_cast<double>(facts->tableBytes);
    state.counters["file"] = static_cast<double>(facts->fileSize);
    state.counters["presets"] = presets;
}

// The whole conversion inside this process: what quintaro-cli does between its start and its end.
void ConvertBank(benchmark::State& state, const BankFacts* facts)
{
    const CString path(facts->path.c_str());
    const CString output((ScratchDir() + "/convert-" + facts->name + ".xml").c_str());
    ConversionSettings settings;
    const auto convert = [&] {
        const SilentSink sink;
        CSoundFont bank;
        if (!bank.Load(path))
            return false;
        settings.m_strModuleName = bank.GetName();
        settings.m_strMapName = bank.GetName();
        ExportDefinition(settings, bank, output, CString(BinaryDir().c_str()));
        return sink.succeeded == 1 && sink.failed == 0;
    };
    if (!convert()) {
        state.SkipWithError("the conversion failed");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(convert());
}

} // namespace

void RegisterLoadBenchmarks()
{
    for (const BankFacts& facts : DebianBanks()) {
        if (!facts.present)
            continue;
        Repeated(benchmark::RegisterBenchmark(("Load/" + facts.name).c_str(), LoadBank, &facts)
                     ->Unit(benchmark::kMicrosecond)
                     ->UseRealTime());
        Repeated(benchmark::RegisterBenchmark(("Convert/" + facts.name).c_str(), ConvertBank, &facts)
                     ->Unit(benchmark::kMicrosecond)
                     ->UseRealTime());
    }
}

} // namespace bench
