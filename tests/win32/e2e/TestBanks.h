// The banks the end-to-end tests drop on the window, made with the SoundFont writer of the tests.
#pragma once

#include <filesystem>
#include <string>

namespace e2e {

// A small bank whose name and preset names are Japanese (Shift-JIS) and hold the characters that
// XML escapes: melodic presets with bank variations and a drum kit with named keys.
extern const wchar_t kJapaneseBankName[];
std::string JapaneseBank();

// A valid bank whose INAM is empty, so loading it leaves both name boxes empty.
std::string BankWithEmptyName();

// A bank with a plain ASCII name, for loading a second bank over the first.
extern const wchar_t kSecondBankName[];
std::string SecondBank();

void WriteBank(const std::filesystem::path& path, const std::string& bytes);

}  // namespace e2e
