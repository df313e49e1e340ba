// The four groups of figures; each registers its benchmarks with Google Benchmark.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

namespace bench {

// Every figure is the median of this many runs: the machine is shared, and a median shrugs off
// the runs that another process slowed down.
constexpr int kRepetitions = 7;

// Repeats `b` kRepetitions times and reports mean, median, spread and the fastest repetition.
benchmark::internal::Benchmark* Repeated(benchmark::internal::Benchmark* b);

void RegisterLoadBenchmarks();
void RegisterCliBenchmarks();
void RegisterScaleBenchmarks();
void RegisterMergeBenchmarks();

// The bank of the end-to-end target.
inline constexpr const char* kTargetBank = "MuseScore_General_Full.sf2";

// The three builds of quintaro-cli and of the floor program: the group name in the figures and
// the suffix of the executables (see CMakeLists.txt).
inline constexpr std::pair<const char*, const char*> kCliBuilds[] = {
    {"Cli", ""}, {"CliStaticCxx", "-static-cxx"}, {"CliStatic", "-static"}};

// The folder of this program, where the converter, the floor program and the templates lie.
const std::string& BinaryDir();
// A folder for the files the benchmarks write, removed when the program ends: in memory (/dev/shm)
// where there is one, so that the figures are the program's and not the disk's.
const std::string& ScratchDir();
// The same on the file system of the temporary folder (/tmp), for the one figure that shows the disk.
const std::string& DiskScratchDir();

} // namespace bench
