// Bytes in, the preset table out: whatever the bytes, Load returns and leaves a table that keeps
// every promise of a loaded bank.
#include "fuzz/FuzzBank.h"
#include "tests/robustness/ListInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CSoundFont bank;
    const bool loaded = fuzzbank::LoadBytes(data, size, bank);
    const std::string error = robustness::CheckPresetTable(bank, loaded);
    if (!error.empty())
        fuzzbank::Fail(error);
    return 0;
}
