// What Load shows and returns when a file cannot be used, and that it stays within what the file
// holds: declared sizes beyond the file, files over 4 GiB, sample data that is never read.
#include "platform/CFile.h"
#include "platform/CodePage.h"
#include "soundfont/CSoundFont.h"
#include "tests/soundfont/SoundFontTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using sftest::Bank;
using sftest::Bytes;
using sftest::LoadResult;
using sftest::RawBytes;

const char* const kOpenFailed = u8"ファイルが開けませんでした。";

Bank SmallBank()
{
    Bank bank;
    bank.info.name = "Small";
    bank.samples = {{"Kick(L)"}, {"Kick(R)"}};
    bank.instruments = {{"Drums", {{sftest::keyRange(36, 36), sftest::sampleID(0)},
                                   {sftest::keyRange(36, 36), sftest::sampleID(1)}}}};
    bank.presets = {{"Piano", 0, 0, {}}, {"Standard", 0, 128, {{sftest::instrument(0)}}}};
    return bank;
}

std::string MissingPath()
{
    return (std::filesystem::temp_directory_path() / "quintaro-no-such-bank.sf2").string();
}

void ExpectOpenFailure(const LoadResult& loaded)
{
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.font->GetPresetCount(), 0);
    ASSERT_EQ(loaded.messages.size(), 1u);
    EXPECT_EQ(loaded.messages[0].text, kOpenFailed);
    EXPECT_EQ(loaded.messages[0].type, MB_OK);
}

TEST(SoundFontLoad, AFileThatDoesNotOpenShowsTheOpenFailureMessage)
{
    ExpectOpenFailure(sftest::LoadPath(MissingPath()));
    // A folder opens on some systems but is no file.
    ExpectOpenFailure(sftest::LoadPath(std::filesystem::temp_directory_path().string()));
}

#ifdef _WIN32
TEST(SoundFontLoad, AFileHeldOpenByAnotherProgramDoesNotOpen)
{
    const sftest::TempFile file(sftest::Build(SmallBank()));
    {
        CFile holder;
        ASSERT_TRUE(holder.Open(CString(file.Path().c_str()), CFile::modeRead | CFile::shareDenyNone));
        ExpectOpenFailure(sftest::LoadPath(file.Path()));
    }
    EXPECT_TRUE(sftest::LoadPath(file.Path()).ok);
}
#else
TEST(SoundFontLoad, AFileLayerFailureShowsTheExceptionsOwnMessage)
{
    // A pipe opens like a file but refuses every seek.
    const std::string path = (std::filesystem::temp_directory_path() / ("quintaro-fifo-" + std::to_string(::getpid()))).string();
    ::unlink(path.c_str());
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // Holding the pipe open for writing lets the read-only open inside Load return at once.
    const int writer = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const LoadResult loaded = sftest::LoadPath(path);
    ::close(writer);
    ::unlink(path.c_str());

    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.font->GetPresetCount(), 0);
    ASSERT_EQ(loaded.messages.size(), 1u);
    EXPECT_EQ(loaded.messages[0].text, path + u8" の読み書き位置を移動できませんでした。");
    EXPECT_EQ(loaded.messages[0].type, MB_OK);
}
#endif

struct SilentCase {
    const char* title;
    Bytes (*make)();
};

class SoundFontLoadSilently : public ::testing::TestWithParam<SilentCase> {};

TEST_P(SoundFontLoadSilently, RejectsFilesWithoutPresetsWithoutAMessage)
{
    const LoadResult loaded = sftest::LoadBytes(GetParam().make());
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.font->GetPresetCount(), 0);
    EXPECT_TRUE(loaded.messages.empty()) << loaded.messages[0].text;
}

Bytes WithoutChunk(const char* path)
{
    sftest::RiffNode riff = sftest::Layout(SmallBank());
    riff.Remove(path);
    return sftest::Serialize(riff);
}

const SilentCase kSilentCases[] = {
    {"EmptyFile", [] { return Bytes(); }},
    {"SevenBytes", [] { return sftest::ToBytes("RIFF\x04\x00\x00"); }},
    {"TextFile", [] { return sftest::ToBytes("This is not a SoundFont bank.\r\n"); }},
    {"WavFile", [] {
         RawBytes raw;
         raw.Header("RIFF", 4 + 24 + 12).Text("WAVE");
         raw.Header("fmt ", 16).U16(1).U16(1).U32(22050).U32(44100).U16(2).U16(16);
         raw.Header("data", 4).U32(0);
         return raw.bytes;
     }},
    {"FormTypeInOtherCase", [] {
         sftest::RiffNode riff = sftest::Layout(SmallBank());
         riff.listType = "SFBK";
         return sftest::Serialize(riff);
     }},
    {"RiffSfbkWithNothingInside", [] {
         RawBytes raw;
         raw.Header("RIFF", 4).Text("sfbk");
         return raw.bytes;
     }},
    {"OnlyEop", [] {
         Bank bank;
         bank.info.name = "Empty";
         return sftest::Build(bank);
     }},
    {"NoPdtaList", [] { return WithoutChunk("pdta"); }},
    {"NoPhdrChunk", [] { return WithoutChunk("pdta/phdr"); }},
    {"EmptyPhdrChunk", [] {
         sftest::RiffNode riff = sftest::Layout(SmallBank());
         riff.At("pdta/phdr").data.clear();
         return sftest::Serialize(riff);
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, SoundFontLoadSilently, ::testing::ValuesIn(kSilentCases),
                         [](const ::testing::TestParamInfo<SilentCase>& p) { return std::string(p.param.title); });

TEST(SoundFontLoad, AGoodBankLoadsWithoutAMessage)
{
    const LoadResult loaded = sftest::LoadBank(SmallBank());
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.messages.empty());
    EXPECT_EQ(loaded.font->GetName(), "Small");
    ASSERT_EQ(loaded.font->GetPresetCount(), 2);
    EXPECT_EQ(loaded.font->GetPreset(1)->m_keyNames[36], "Kick");
}

TEST(SoundFontLoad, APresetTableDeclaredAt4GiBInA100ByteFileLoadsWhatTheFileHolds)
{
    RawBytes raw;
    raw.Header("RIFF", 0xFFFFFFF0u).Text("sfbk");
    raw.Header("LIST", 0xFFFFFFE0u).Text("pdta");
    raw.Header("phdr", 0xFFFFFFD0u); // 113 million records declared
    raw.Text(std::string("Grand Piano", 11)).Zeros(9).U16(0).U16(0).U16(0).Zeros(12);
    raw.Text(std::string("Strings", 7)).Zeros(13).U16(48).U16(0).U16(0).Zeros(4); // cut after 30 bytes
    ASSERT_EQ(raw.bytes.size(), 100u);

    const LoadResult loaded = sftest::LoadBytes(raw.bytes);
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.messages.empty());
    ASSERT_EQ(loaded.font->GetPresetCount(), 2);
    EXPECT_EQ(loaded.font->GetPreset(0)->m_strName, "Grand Piano");
    EXPECT_EQ(loaded.font->GetPreset(1)->m_strName, "Strings");
    EXPECT_EQ(loaded.font->GetPreset(1)->m_wPreset, 48);
}

TEST(SoundFontLoad, ABankNameDeclaredAt4GiBIsReadFromWhatTheFileHolds)
{
    sftest::RiffNode riff = sftest::Layout(SmallBank());
    riff.At("INFO/INAM").declaredSize = 0xFFFFFF00u;
    const LoadResult loaded = sftest::LoadBytes(sftest::Serialize(riff));
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.font->GetName(), "Small");
    EXPECT_EQ(loaded.font->GetPresetCount(), 2);
}

TEST(SoundFontLoad, ReadsTheTablesButNotTheSampleData)
{
    Bank bank = SmallBank();
    for (sftest::Sample& sample : bank.samples)
        sample.frames = 500000; // 2 MB of sample data in all
    const sftest::TempFile file(sftest::Build(bank));
    const std::uint64_t before = CFile::GetTotalBytesRead();
    const LoadResult loaded = sftest::LoadPath(file.Path());
    ASSERT_TRUE(loaded.ok);
    EXPECT_LT(CFile::GetTotalBytesRead() - before, 4096u);
}

#ifndef _WIN32
TEST(SoundFontLoad, AFileOf4GiBOrMoreIsReadAsItsFirst4GiB)
{
    // Sparse files, so nothing is written past the bank. Exactly 4 GiB is the length whose low
    // 32 bits are zero.
    for (const std::uint64_t length : {std::uint64_t{1} << 32, (std::uint64_t{1} << 32) + 100}) {
        SCOPED_TRACE(length);
        const sftest::TempFile file(sftest::Build(SmallBank()));
        if (::truncate(file.Path().c_str(), static_cast<off_t>(length)) != 0)
            GTEST_SKIP() << "the file system refuses a sparse file of " << length << " bytes";
        const std::uint64_t before = CFile::GetTotalBytesRead();
        const LoadResult loaded = sftest::LoadPath(file.Path());
        ASSERT_TRUE(loaded.ok);
        EXPECT_TRUE(loaded.messages.empty());
        EXPECT_EQ(loaded.font->GetName(), "Small");
        ASSERT_EQ(loaded.font->GetPresetCount(), 2);
        EXPECT_EQ(loaded.font->GetPreset(1)->m_keyNames[36], "Kick");
        EXPECT_LT(CFile::GetTotalBytesRead() - before, 4096u);
    }
}
#endif

} // namespace
