#include "tests/win32/e2e/TestBanks.h"

#include "tests/support/SoundFontWriter.h"
#include "tests/win32/e2e/Files.h"
#include "tests/win32/e2e/Text.h"

#include <optional>
#include <utility>

namespace e2e {

namespace {

using sftest::instrument;
using sftest::keyRange;
using sftest::sampleID;

std::string ToString(const sftest::Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

sftest::Bank MakeBank(std::optional<std::string> name, std::string (*text)(std::wstring_view))
{
    sftest::Bank bank;
    bank.info.name = std::move(name);
    bank.samples = {{text(L"キック")}, {text(L"スネア")}, {text(L"ハイハット")}, {"Tone"}};
    bank.instruments = {
        {"Tone", {{sampleID(3)}}},
        {"Kit",
         {{keyRange(36, 36), sampleID(0)}, {keyRange(38, 40), sampleID(1)}, {keyRange(42, 42), sampleID(2)}}},
    };
    bank.presets = {
        {text(L"ピアノ"), 0, 0, {{instrument(0)}}},
        {text(L"ﾋﾟｱﾉ ﾜｲﾄﾞ"), 0, 8, {{instrument(0)}}},
        {text(L"ストリングス<&>"), 48, 0, {{instrument(0)}}},
        {text(L"\"Pad\" 'Warm'"), 48, 1, {{instrument(0)}}},
        {text(L"ベース"), 33, 16, {{instrument(0)}}},
        {text(L"スタンダード"), 0, 128, {{instrument(1)}}},
        {text(L"ブラシ"), 40, 128, {{instrument(1)}}},
    };
    return bank;
}

}  // namespace

const wchar_t kJapaneseBankName[] = L"デモ音源 Vol.1 & Co";
const wchar_t kSecondBankName[] = L"Second Bank";

std::string JapaneseBank()
{
    return ToString(sftest::Build(MakeBank(ShiftJis(kJapaneseBankName), ShiftJis)));
}

std::string BankWithEmptyName()
{
    return ToString(sftest::Build(MakeBank(std::string(), ShiftJis)));
}

std::string SecondBank()
{
    sftest::Bank bank = MakeBank(WideToUtf8(kSecondBankName), ShiftJis);
    bank.presets.resize(2);
    return ToString(sftest::Build(bank));
}

void WriteBank(const std::filesystem::path& path, const std::string& bytes)
{
    WriteFileBytes(path, bytes);
}

}  // namespace e2e
