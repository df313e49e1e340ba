#include "bench/SummaryReporter.h"

#include "bench/BankFacts.h"
#include "bench/Benchmarks.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <initializer_list>
#include <sys/utsname.h>
#include <unistd.h>

namespace bench {

namespace {

std::string Printf(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Duration(double seconds)
{
    if (seconds < 1e-3)
        return Printf("%.0f µs", seconds * 1e6);
    if (seconds < 1)
        return Printf("%.2f ms", seconds * 1e3);
    return Printf("%.2f s", seconds);
}

std::string Bytes(double bytes)
{
    if (bytes < 10 * 1024.0)
        return Printf("%.0f B", bytes);
    if (bytes < 10 * 1024.0 * 1024.0)
        return Printf("%.1f KiB", bytes / 1024.0);
    return Printf("%.1f MiB", bytes / (1024.0 * 1024.0));
}

std::string Verdict(bool met)
{
    return met ? "met" : "**missed**";
}

std::string CpuModel()
{
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("model name", 0) == 0) {
            const std::size_t colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    }
    return "unknown CPU";
}

} // namespace

bool SummaryReporter::ReportContext(const Context& context)
{
    m_cpus = context.cpu_info.num_cpus;
    m_mhz = context.cpu_info.cycles_per_second / 1e6;
    return ConsoleReporter::ReportContext(context);
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // The family and its arguments, without the repetitions and timing the name also carries.
        const std::string name = run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
        if (run.error_occurred) {
            m_errors[name] = run.error_message;
            continue;
        }
        if (run.run_type != Run::RT_Aggregate)
            continue;
        Figure& figure = m_figures[name];
        const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (run.aggregate_name == "median") {
            figure.seconds = seconds;
            for (const auto& [key, counter] : run.counters)
                figure.counters[key] = counter.value;
        } else if (run.aggregate_name == "cv") {
            figure.cv = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        } else if (run.aggregate_name == "min") {
            figure.min = seconds;
        }
    }
}

std::string SummaryReporter::Missing(const std::string& name) const
{
    return m_errors.count(name) ? "failed" : "–";
}

const Figure* SummaryReporter::Find(const std::string& name) const
{
    const auto it = m_figures.find(name);
    return it == m_figures.end() || it->second.seconds <= 0 ? nullptr : &it->second;
}

void SummaryReporter::PrintSummary(std::ostream& out) const
{
    // A run of some benchmarks only (--benchmark_filter) prints the sections it has figures for.
    const auto has = [&](std::initializer_list<const char*> prefixes) {
        for (const auto& entry : m_figures)
            for (const char* prefix : prefixes)
                if (entry.first.rfind(prefix, 0) == 0)
                    return true;
        for (const auto& entry : m_errors)
            for (const char* prefix : prefixes)
                if (entry.first.rfind(prefix, 0) == 0)
                    return true;
        return false;
    };
    PrintMachine(out);
    if (has({"Load/"}))
        PrintLoading(out);
    if (has({"Cli", "Convert/"}))
        PrintCli(out);
    if (has({"Scale/"}))
        PrintScale(out);
    if (has({"Merge"}))
        PrintMerge(out);
    if (!m_errors.empty()) {
        out << "\nFailed benchmarks:\n\n";
        for (const auto& [name, message] : m_errors)
            out << "- " << name << ": " << message << "\n";
    }
}

void SummaryReporter::PrintMachine(std::ostream& out) const
{
    utsname system {};
    uname(&system);
    char date[32] = "";
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));
    const double memory = static_cast<double>(sysconf(_SC_PHYS_PAGES)) * static_cast<double>(sysconf(_SC_PAGESIZE));
    const long cpus = m_cpus > 0 ? m_cpus : sysconf(_SC_NPROCESSORS_ONLN);
    out << "Machine: " << CpuModel() << ", " << cpus << " CPUs at " << Printf("%.0f", m_mhz) << " MHz, "
        << Printf("%.0f GiB", memory / (1024.0 * 1024.0 * 1024.0)) << ", "
        << system.sysname << " " << system.release << "; " << QUINTARO_BUILD_DESCRIPTION << "; " << date
        << ". Every time is the median of " << kRepetitions << " repetitions.\n";
}

void SummaryReporter::PrintLoading(std::ostream& out) const
{
    out << "\n### 1. Loading the Debian banks\n\n"
        << "| Bank | File | Presets | pdta list | Read by CFile | Read − pdta | Limit¹ | ≤ pdta + 4 KiB | Load time (fastest) |\n"
        << "|---|---:|---:|---:|---:|---:|---:|---|---:|\n";
    for (const BankFacts& facts : DebianBanks()) {
        const Figure* f = Find("Load/" + facts.name);
        if (!facts.present || !f) {
            out << "| " << facts.name << " | " << (facts.present ? Missing("Load/" + facts.name) : "not installed (" + facts.package + ")")
                << " | | | | | | | |\n";
            continue;
        }
        const double read = f->counters.at("read");
        const double pdta = f->counters.at("pdta");
        out << "| " << facts.name << " | " << Bytes(f->counters.at("file")) << " | " << facts.presets << " | "
            << Printf("%.0f", pdta) << " | " << Printf("%.0f", read) << " | " << Printf("%+.0f", read - pdta) << " | "
            << Printf("%.0f", f->counters.at("limit")) << " | " << Verdict(read <= pdta + 4096) << " | "
            << Duration(f->seconds) << " (" << Duration(f->min) << ") |\n";
    }
    out << "\n¹ The pdta list plus INAM and every chunk header passed on the way to them; the loader skips "
           "the data of pmod and imod, so it reads less than the whole pdta list.\n";
}

void SummaryReporter::PrintCli(std::ostream& out) const
{
    out << "\n### 2. quintaro-cli converting each bank, whole process, warm cache\n\n"
        << "Median (fastest repetition in brackets). Each build is compared with quintaro-noop linked the same way: "
           "shared C and C++ libraries (as CMake builds it), C++ runtime linked in (-static-libstdc++ -static-libgcc), "
           "fully static. Output to " << ScratchDir().substr(0, ScratchDir().rfind('/')) << ".\n\n"
        << "| Bank | In process¹ | Shared | × floor | C++ runtime in | × floor | Static | × floor |\n"
        << "|---|---:|---:|---:|---:|---:|---:|---:|\n";
    const auto cell = [&](const std::string& name, const Figure* floor) {
        const Figure* f = Find(name);
        if (!f)
            return Missing(name) + " | ";
        return Duration(f->seconds) + " (" + Duration(f->min) + ") | " +
               (floor ? Printf("%.2f", f->seconds / floor->seconds) : std::string("?"));
    };
    const auto row = [&](const std::string& label, const std::string& key) {
        const Figure* inProcess = Find("Convert/" + key);
        out << "| " << label << " | " << (inProcess ? Duration(inProcess->seconds) : "");
        for (const auto& [group, suffix] : kCliBuilds)
            out << " | " << cell(std::string(group) + "/" + key, Find(std::string(group) + "/floor"));
        out << " |\n";
    };
    row("floor: quintaro-noop", "floor");
    for (const BankFacts& facts : DebianBanks())
        if (facts.present)
            row(facts.name, facts.name);
    out << "\n¹ Load and ExportDefinition called inside the benchmark program: the conversion without starting a process.\n";

    out << "\nWhere a run's time goes (medians): CPU time of the child process and its page faults.\n\n"
        << "| Bank | Shared: CPU | faults | C++ runtime in: CPU | faults | Static: CPU | faults |\n"
        << "|---|---:|---:|---:|---:|---:|---:|\n";
    const auto costs = [&](const std::string& label, const std::string& key) {
        out << "| " << label;
        for (const auto& [group, suffix] : kCliBuilds) {
            const Figure* f = Find(std::string(group) + "/" + key);
            out << " | " << (f ? Duration(f->counters.at("cpu_us") * 1e-6) : "") << " | "
                << (f ? Printf("%.0f", f->counters.at("faults")) : "");
        }
        out << " |\n";
    };
    costs("floor: quintaro-noop", "floor");
    for (const BankFacts& facts : DebianBanks())
        if (facts.present)
            costs(facts.name, facts.name);

    out << "\nTarget, " << kTargetBank << " end to end under 3 × floor and under 8 ms:\n";
    for (const auto& [group, suffix] : kCliBuilds) {
        const Figure* f = Find(std::string(group) + "/" + kTargetBank);
        const Figure* floor = Find(std::string(group) + "/floor");
        if (!f || !floor)
            continue;
        out << "- quintaro-cli" << suffix << ": " << Duration(f->seconds) << " = " << Printf("%.2f", f->seconds / floor->seconds)
            << " × floor (" << Duration(floor->seconds) << "): 3 × floor " << Verdict(f->seconds < 3 * floor->seconds)
            << ", 8 ms " << Verdict(f->seconds < 8e-3) << ".\n";
    }
    if (const Figure* disk = Find(std::string("CliDisk/") + kTargetBank))
        out << "- quintaro-cli-static writing to " << DiskScratchDir().substr(0, DiskScratchDir().rfind('/'))
            << " (the disk) instead: " << Duration(disk->seconds) << " (" << Duration(disk->min) << ").\n";
}

void SummaryReporter::PrintScale(std::ostream& out) const
{
    out << "\n### 3. Synthetic banks: half melodic presets, half kits with 128 named keys\n\n"
        << "Load: the bank's file into a CSoundFont; lists: BuildMapList for both lists; export: ExportDefinition "
           "(both lists, merge, write); total: load and export. Peak heap: the most the total held at once.\n\n"
        << "| Presets | Load | per preset | Both lists | Export | Total | per preset | Peak heap | per preset |\n"
        << "|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    const int sizes[] = {1000, 10000, 65535};
    // Growth of the time per preset from the smallest bank on: 1 is linear, a quadratic step shows
    // as a factor that grows with the bank.
    double loadGrowth = 0;
    double totalGrowth = 0;
    double loadFirst = 0;
    double totalFirst = 0;
    for (const int presets : sizes) {
        const std::string n = "/" + std::to_string(presets);
        const auto time = [&](const std::string& group) {
            const Figure* f = Find(group + n);
            return f ? Duration(f->seconds) : Missing(group + n);
        };
        const auto perPreset = [&](const Figure* f) { return f ? Printf("%.2f µs", f->seconds / presets * 1e6) : std::string(); };
        const Figure* load = Find("Scale/Load" + n);
        const Figure* total = Find("Scale/Total" + n);
        out << "| " << presets << " | " << time("Scale/Load") << " | " << perPreset(load) << " | " << time("Scale/Lists")
            << " | " << time("Scale/Export") << " | " << time("Scale/Total") << " | " << perPreset(total) << " | ";
        if (total) {
            const double heap = total->counters.at("heap_peak");
            out << Bytes(heap) << " | " << Printf("%.0f B", heap / presets);
        } else {
            out << " | ";
        }
        out << " |\n";
        if (load) {
            const double t = load->seconds / presets;
            loadFirst = loadFirst == 0 ? t : loadFirst;
            loadGrowth = std::max(loadGrowth, t / loadFirst);
        }
        if (total) {
            const double t = total->seconds / presets;
            totalFirst = totalFirst == 0 ? t : totalFirst;
            totalGrowth = std::max(totalGrowth, t / totalFirst);
        }
    }
    if (loadFirst > 0 && totalFirst > 0)
        out << "\nTarget: time per preset flat from 1,000 to 65,535 presets, within a factor of 2: at most "
            << Printf("%.2f", loadGrowth) << " × its value at 1,000 presets for the load, " << Printf("%.2f", totalGrowth)
            << " × for the total, " << Verdict(loadGrowth <= 2 && totalGrowth <= 2)
            << ". (The total per preset falls as the fixed part, 128 program numbers, the template and the file, spreads.)\n";
}

void SummaryReporter::PrintMerge(std::ostream& out) const
{
    out << "\n### 4. Merging a template (TiMidityGS.xml) with both lists\n\n"
        << "| Each list | Output | Time | Copy floor¹ | × floor | Time per output MB |\n"
        << "|---:|---:|---:|---:|---:|---:|\n";
    for (const int size : {100 * 1000, 1000 * 1000, 10 * 1000 * 1000}) {
        const std::string name = "Merge/" + std::to_string(size);
        const Figure* f = Find(name);
        if (!f) {
            out << "| " << Bytes(size) << " | " << Missing(name) << " | | | | |\n";
            continue;
        }
        const Figure* floor = Find("MergeCopyFloor/" + std::to_string(size));
        const double output = f->counters.at("output");
        out << "| " << Bytes(size) << " | " << Bytes(output) << " | " << Duration(f->seconds) << " | "
            << (floor ? Duration(floor->seconds) : Missing("MergeCopyFloor/" + std::to_string(size))) << " | "
            << (floor ? Printf("%.2f", f->seconds / floor->seconds) : "") << " | " << Duration(f->seconds / output * 1e6) << " |\n";
    }
    out << "\n¹ Copying, into new texts, the bytes that the three passes leave behind (template; template and one "
           "list; the whole output): what any three passes must at least do.\n";
}

} // namespace bench
