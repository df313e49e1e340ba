// The Debian banks that the benchmarks load, and what their layout says a loader must read at
// least, found by a walk of their own so that the figures do not depend on the code they measure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct BankFacts {
    std::string name;           // file name, as in /usr/share/sounds/sf2
    std::string package;        // the Debian package that installs it
    std::string path;
    bool present = false;
    std::uint64_t fileSize = 0;
    std::uint64_t pdtaSize = 0;   // the whole pdta list: header, type and every sub-chunk
    std::uint64_t tableBytes = 0; // data of the seven tables the loader needs
    std::uint64_t limit = 0;      // pdta list + INAM + every header passed on the way to them
    int presets = 0;              // phdr records before "EOP"
};

// The five banks, in a fixed order; those that are not installed have present == false.
const std::vector<BankFacts>& DebianBanks();

} // namespace bench
