// Banks far larger than any real one, to show how loading and conversion grow with the number of
// presets: half of them melodic, half drum kits whose 128 keys all have names.
#pragma once

#include <string>

namespace bench {

// The path of a bank of `presets` presets (at most 65,535), written once per run of the program
// into a temporary file that lives until the program ends.
const std::string& SyntheticBankPath(int presets);

} // namespace bench
