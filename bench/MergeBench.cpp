// Figure 4: the merge of a real template with lists of 100 KB to 10 MB each, to show that the
// replacement of the three placeholders grows with the size of the text and no faster.
#include "bench/Benchmarks.h"
#include "definition/XmlText.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace bench {

namespace {

CString ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return CString(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

// Whole lines as the list builder writes them, up to `bytes`.
CString ListOf(std::size_t bytes, const char* name)
{
    CString list;
    list.Reserve(bytes + 128);
    for (int i = 0; list.GetLength() < bytes; ++i)
        AppendLine(list, 3, "<Bank Name=\"%s %05d\" LSB=\"%d\" MSB=\"0\" />", name, i % 100000, i % 128);
    return list;
}

void Merge(benchmark::State& state)
{
    const CString templateText = ReadWhole(std::string(QUINTARO_SOURCE_DIR) + "/res/TiMidityGS.xml");
    if (templateText.IsEmpty()) {
        state.SkipWithError("no template");
        return;
    }
    const auto size = static_cast<std::size_t>(state.range(0));
    const CString instruments = ListOf(size, "Tone");
    const CString drums = ListOf(size, "Kit");
    const CString moduleName("Bench <Module> & Co");
    std::size_t output = 0;
    // The passes of the export, in its order, on a fresh copy of the template each time.
    for (auto _ : state) {
        CString text = templateText;
        text.Replace("%MODULENAME%", EscapeXml(moduleName).View());
        text.Replace("%INSTRUMENTLIST%", instruments.View());
        text.Replace("%DRUMSETLIST%", drums.View());
        output = text.GetLength();
        benchmark::DoNotOptimize(text.GetString());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(output));
    state.counters["lists"] = static_cast<double>(instruments.GetLength() + drums.GetLength());
    state.counters["output"] = static_cast<double>(output);
}

// The floor of the merge: three passes can do no less than copy, each into a new text, what they
// leave behind: the template, then the template and one list, then the whole output.
void MergeCopyFloor(benchmark::State& state)
{
    const auto size = static_cast<std::size_t>(state.range(0));
    const CString templateText = ReadWhole(std::string(QUINTARO_SOURCE_DIR) + "/res/TiMidityGS.xml");
    const std::string source(templateText.GetLength() + 2 * ListOf(size, "Tone").GetLength() + 64, 'x');
    const std::size_t passes[] = {templateText.GetLength(), templateText.GetLength() + ListOf(size, "Tone").GetLength(),
                                  templateText.GetLength() + ListOf(size, "Tone").GetLength() + ListOf(size, "Kit").GetLength()};
    for (auto _ : state) {
        for (const std::size_t bytes : passes) {
            std::string copy(source.data(), bytes);
            benchmark::DoNotOptimize(copy.data());
        }
    }
}

} // namespace

void RegisterMergeBenchmarks()
{
    for (const auto& [name, function] : {std::pair{"Merge", Merge}, std::pair{"MergeCopyFloor", MergeCopyFloor}}) {
        Repeated(benchmark::RegisterBenchmark(name, function)
                     ->Arg(100 * 1000)
                     ->Arg(1000 * 1000)
                     ->Arg(10 * 1000 * 1000)
                     ->Unit(benchmark::kMillisecond)
                     ->UseRealTime());
    }
}

} // namespace bench
