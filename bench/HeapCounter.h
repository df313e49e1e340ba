// Every byte the program holds on the heap, counted by replacing the global allocation operators,
// so that a benchmark can report the peak of one operation.
#pragma once

#include <cstddef>

namespace bench {

std::size_t HeapInUse();
std::size_t HeapPeak();
// Starts a new peak at what is in use now.
void ResetHeapPeak();

} // namespace bench
