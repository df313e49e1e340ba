// Figure 3: banks of 1,000 to 65,535 presets, half of them kits with 128 named keys: loading, both
// lists, merge and write, so that the time and the heap per preset show whether anything grows
// faster than the bank.
#include "bench/Benchmarks.h"
#include "bench/HeapCounter.h"
#include "bench/SilentSink.h"
#include "bench/SyntheticBank.h"
#include "definition/ExportDefinition.h"
#include "definition/MapListBuilder.h"
#include "soundfont/CSoundFont.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

namespace bench {

namespace {

constexpr int kSizes[] = {1000, 10000, 65535};

ConversionSettings Settings()
{
    ConversionSettings settings;
    settings.m_nPlayer = kPlayerTiMidityGS;
    settings.m_strModuleName = "Synthetic";
    settings.m_strMapName = "Synthetic";
    return settings;
}

std::unique_ptr<CSoundFont> LoadSynthetic(int presets)
{
    auto bank = std::make_unique<CSoundFont>();
    if (!bank->Load(CString(SyntheticBankPath(presets).c_str())) || bank->GetPresetCount() != presets)
        return nullptr;
    return bank;
}

// Whether every kit has all its keys named: a budget spent early would leave the last kits
// without names and make the figures look better than they are.
bool AllKeysNamed(const CSoundFont& bank)
{
    for (int i = 0; i < bank.GetPresetCount(); ++i) {
        const CPresetEntry& entry = *bank.GetPreset(i);
        if (entry.IsDrumKit() && std::any_of(entry.m_keyNames.begin(), entry.m_keyNames.end(), [](const CString& k) { return k.IsEmpty(); }))
            return false;
    }
    return true;
}

// Runs `work` once per iteration and reports the largest heap it held above what was in use before.
template <class Work>
void Measure(benchmark::State& state, Work work)
{
    std::size_t peak = 0;
    for (auto _ : state) {
        ResetHeapPeak();
        const std::size_t base = HeapInUse();
        if (!work()) {
            state.SkipWithError("the conversion failed");
            return;
        }
        peak = std::max(peak, HeapPeak() - base);
    }
    state.counters["presets"] = static_cast<double>(state.range(0));
    state.counters["heap_peak"] = static_cast<double>(peak);
}

bool Export(const CSoundFont& bank, const std::string& output)
{
    const SilentSink sink;
    ExportDefinition(Settings(), bank, CString(output.c_str()), CString(BinaryDir().c_str()));
    return sink.succeeded == 1 && sink.failed == 0;
}

std::string OutputPath(int presets)
{
    return ScratchDir() + "/scale-" + std::to_string(presets) + ".xml";
}

void ScaleLoad(benchmark::State& state)
{
    const int presets = static_cast<int>(state.range(0));
    {
        const std::unique_ptr<CSoundFont> check = LoadSynthetic(presets);
        if (!check || !AllKeysNamed(*check)) {
            state.SkipWithError("the synthetic bank does not load with all its keys named");
            return;
        }
    }
    Measure(state, [&] { return LoadSynthetic(presets) != nullptr; });
}

void ScaleLists(benchmark::State& state)
{
    const int presets = static_cast<int>(state.range(0));
    const std::unique_ptr<CSoundFont> bank = LoadSynthetic(presets);
    if (!bank) {
        state.SkipWithError("the synthetic bank does not load");
        return;
    }
    const ConversionSettings settings = Settings();
    const CMapListBuilder builder(*bank, settings);
    Measure(state, [&] {
        const CString tones = builder.BuildMapList(kMapGroupingOne, false);
        const CString drums = builder.BuildMapList(kMapGroupingOne, true);
        benchmark::DoNotOptimize(tones.GetString());
        benchmark::DoNotOptimize(drums.GetString());
        return !tones.IsEmpty() && !drums.IsEmpty();
    });
}

void ScaleExport(benchmark::State& state)
{
    const int presets = static_cast<int>(state.range(0));
    const std::unique_ptr<CSoundFont> bank = LoadSynthetic(presets);
    if (!bank) {
        state.SkipWithError("the synthetic bank does not load");
        return;
    }
    Measure(state, [&] { return Export(*bank, OutputPath(presets)); });
}

void ScaleTotal(benchmark::State& state)
{
    const int presets = static_cast<int>(state.range(0));
    Measure(state, [&] {
        const std::unique_ptr<CSoundFont> bank = LoadSynthetic(presets);
        return bank && Export(*bank, OutputPath(presets));
    });
}

} // namespace

void RegisterScaleBenchmarks()
{
    for (const auto& [name, function] : {std::pair{"Scale/Load", ScaleLoad}, std::pair{"Scale/Lists", ScaleLists},
                                         std::pair{"Scale/Export", ScaleExport}, std::pair{"Scale/Total", ScaleTotal}}) {
        benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(name, function);
        for (const int presets : kSizes)
            b->Arg(presets);
        Repeated(b->Unit(benchmark::kMillisecond)->UseRealTime());
    }
}

} // namespace bench
