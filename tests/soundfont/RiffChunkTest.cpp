// CRiffChunk over files written by hand: where FindChunk looks, what it passes over, how it ends
// on truncated or corrupt files, and how ReadString and ReadRecords stop at the end of the file.
#include "soundfont/CRiffChunk.h"
#include "soundfont/SoundFontRecords.h"
#include "tests/soundfont/SoundFontTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using sftest::Bytes;
using sftest::OpenedRiff;
using sftest::RawBytes;

struct Found {
    bool found;
    std::uint32_t offset;
    std::uint32_t size;
};

Found Find(const CRiffChunk& parent, const char* id, const char* listType)
{
    const std::unique_ptr<CRiffChunk> chunk = parent.FindChunk(id, listType);
    if (!chunk)
        return {false, 0, 0};
    return {true, chunk->m_dwOffset, chunk->m_dwSize};
}

#define EXPECT_FOUND_AT(result, off, sz)        \
    do {                                        \
        const Found f_ = (result);              \
        EXPECT_TRUE(f_.found);                  \
        EXPECT_EQ(f_.offset, std::uint32_t(off)); \
        EXPECT_EQ(f_.size, std::uint32_t(sz));  \
    } while (0)

TEST(RiffChunkFind, FilesTooShortForOneHeaderHoldNoChunk)
{
    const std::string files[] = {"", "RIFF", std::string("RIFF\x04\x00\x00", 7)};
    for (const std::string& content : files) {
        SCOPED_TRACE(content.size());
        OpenedRiff file(sftest::ToBytes(content));
        EXPECT_EQ(file.root.m_dwSize, content.size());
        EXPECT_FALSE(file.root.FindChunk("RIFF", nullptr));
        EXPECT_FALSE(file.root.FindChunk("RIFF", "sfbk"));
    }
}

TEST(RiffChunkFind, LocatesTheDataOfChunksAndOfListsAfterTheirType)
{
    RawBytes raw;
    raw.Header("RIFF", 4 + 14 + 16).Text("sfbk");        // data at 12
    raw.Header("abcd", 6).Text("123456");                 // header at 12, data at 20
    raw.Header("LIST", 8).Text("INFO").Text("abcd");      // header at 26, type at 34, data at 38
    OpenedRiff file(raw.bytes);

    const std::unique_ptr<CRiffChunk> riff = file.root.FindChunk("RIFF", "sfbk");
    ASSERT_TRUE(riff);
    EXPECT_EQ(riff->m_pFile, &file.File());
    EXPECT_EQ(riff->m_dwOffset, 12u);
    EXPECT_EQ(riff->m_dwSize, 30u);
    EXPECT_FOUND_AT(Find(*riff, "abcd", nullptr), 20, 6);
    EXPECT_FOUND_AT(Find(*riff, "LIST", "INFO"), 38, 4);
    // Without a list type any chunk with the identifier will do, and its type counts as data.
    EXPECT_FOUND_AT(Find(*riff, "LIST", nullptr), 34, 8);
    // Only direct children are looked at.
    EXPECT_FALSE(file.root.FindChunk("abcd", nullptr));
}

TEST(RiffChunkFind, ComparesIdentifiersAndTypesCaseSensitively)
{
    RawBytes raw;
    raw.Header("LIST", 4).Text("pdta");
    OpenedRiff file(raw.bytes);
    EXPECT_TRUE(file.root.FindChunk("LIST", "pdta"));
    EXPECT_FALSE(file.root.FindChunk("list", "pdta"));
    EXPECT_FALSE(file.root.FindChunk("LIST", "PDTA"));
}

TEST(RiffChunkFind, TheFirstOfTwoChunksWithTheSameIdentifierWins)
{
    RawBytes raw;
    raw.Header("INAM", 6).Text(std::string_view("first\0", 6)).Header("INAM", 6).Text(std::string_view("other\0", 6));
    raw.Header("LIST", 8).Text("pdta").Text("1111");
    raw.Header("LIST", 8).Text("pdta").Text("2222");
    OpenedRiff file(raw.bytes);
    EXPECT_FOUND_AT(Find(file.root, "INAM", nullptr), 8, 6);
    EXPECT_EQ(file.root.ReadString("INAM"), "first");
    EXPECT_FOUND_AT(Find(file.root, "LIST", "pdta"), 40, 4);
}

TEST(RiffChunkFind, PassesOverAListOfAnotherTypeWholeReadingHeadersOnly)
{
    // A large data chunk, then an INFO list that itself holds a pdta list, then the real pdta.
    RawBytes raw;
    raw.Header("smpl", 100000).Zeros(100000);                                  // 0
    raw.Header("LIST", 4 + 12 + 8).Text("INFO");                               // 100008
    raw.Header("LIST", 12).Text("pdta").Header("phdr", 0);                     // 100020 (nested)
    raw.Header("LIST", 4).Text("pdta");                                        // 100040, data at 100052
    OpenedRiff file(raw.bytes);

    const std::uint64_t before = CFile::GetTotalBytesRead();
    EXPECT_FOUND_AT(Find(file.root, "LIST", "pdta"), 100052, 0);
    // 8 bytes for the sample chunk, 12 for the INFO list, 12 for the pdta list: data is seeked over.
    EXPECT_EQ(CFile::GetTotalBytesRead() - before, 32u);
}

TEST(RiffChunkFind, OddSizesAreNotPaddedSoAPadByteStartsTheNextHeader)
{
    {
        RawBytes raw;
        raw.Header("odd1", 3).Text("xyz").Header("next", 2).Text("ab");
        OpenedRiff file(raw.bytes);
        EXPECT_FOUND_AT(Find(file.root, "next", nullptr), 19, 2);
        EXPECT_EQ(file.root.ReadString("next"), "ab");
    }
    {
        RawBytes raw;
        raw.Header("odd1", 3).Text("xyz").Zeros(1).Header("next", 2).Text("ab");
        OpenedRiff file(raw.bytes);
        EXPECT_FALSE(file.root.FindChunk("next", nullptr));
        // The header read at the pad byte: id "\0nex", size from "t" and the real size's first bytes.
        const std::string shifted("\0nex", 4);
        EXPECT_FOUND_AT(Find(file.root, shifted.c_str(), nullptr), 19, 0x74u | 0x02u << 8);
    }
}

TEST(RiffChunkFind, AParentReachingBeyondTheFileEndsTheSearchAtTheEndOfTheFile)
{
    RawBytes raw;
    raw.Header("RIFF", 1000).Text("sfbk").Header("aaaa", 4).Text("1234").Header("bbbb", 2).Text("xy");
    OpenedRiff file(raw.bytes);
    const std::unique_ptr<CRiffChunk> riff = file.root.FindChunk("RIFF", "sfbk");
    ASSERT_TRUE(riff);
    EXPECT_EQ(riff->m_dwSize, 996u);
    EXPECT_FOUND_AT(Find(*riff, "bbbb", nullptr), 32, 2);
    EXPECT_FALSE(riff->FindChunk("zzzz", nullptr));
    EXPECT_FALSE(riff->FindChunk("LIST", "pdta"));
}

TEST(RiffChunkFind, AChildWhoseHeaderStartsInsideTheParentIsExaminedEvenWhenItRunsPast)
{
    RawBytes raw;
    // The form ends one byte into the header of "bbbb".
    raw.Header("RIFF", 4 + 12 + 1).Text("sfbk").Header("aaaa", 4).Text("1234").Header("bbbb", 100).Zeros(100);
    OpenedRiff file(raw.bytes);
    const std::unique_ptr<CRiffChunk> riff = file.root.FindChunk("RIFF", "sfbk");
    ASSERT_TRUE(riff);
    EXPECT_FOUND_AT(Find(*riff, "bbbb", nullptr), 32, 100);
}

TEST(RiffChunkFind, PositionsThatDoNotFitIn32BitsEndTheSearch)
{
    RawBytes raw;
    raw.Header("huge", 0xFFFFFFFFu).Header("next", 0);
    {
        OpenedRiff file(raw.bytes);
        // The next header would lie past 4 GiB: nothing is found, not even the chunk itself.
        EXPECT_FALSE(file.root.FindChunk("next", nullptr));
        EXPECT_FALSE(file.root.FindChunk("huge", nullptr));
    }
    raw.bytes[4] = 0xF7; // ckSize 0xFFFFFFF7: the next header at 0xFFFFFFFF still fits
    {
        OpenedRiff file(raw.bytes);
        EXPECT_FOUND_AT(Find(file.root, "huge", nullptr), 8, 0xFFFFFFF7u);
        EXPECT_FALSE(file.root.FindChunk("next", nullptr));
    }
    // A parent whose end does not fit in 32 bits holds nothing; one byte less and it does.
    RawBytes two;
    two.Header("pad ", 8).Zeros(8).Header("kid ", 0);
    OpenedRiff file(two.bytes);
    EXPECT_FALSE(file.At(16, 0xFFFFFFF0u).FindChunk("kid ", nullptr));
    EXPECT_FOUND_AT(Find(file.At(16, 0xFFFFFFEFu), "kid ", nullptr), 24, 0);
}

TEST(RiffChunkFind, AListShorterThanItsTypeHasNoData)
{
    RawBytes raw;
    raw.Header("LIST", 2).Text("pdta");
    OpenedRiff file(raw.bytes);
    EXPECT_FOUND_AT(Find(file.root, "LIST", "pdta"), 12, 0);
}

// ---- ReadString ----------------------------------------------------------------------------

struct StringCase {
    const char* title;
    std::string data;
    std::uint32_t declaredSize; // 0: the data's own size
    std::string expected;
};

class RiffChunkReadString : public ::testing::TestWithParam<StringCase> {};

TEST_P(RiffChunkReadString, ReadsUpToTheFirstZeroByteOrTheEndOfWhatTheFileHolds)
{
    const StringCase& c = GetParam();
    RawBytes raw;
    raw.Header("skip", 2).Text("..");
    raw.Header("INAM", c.declaredSize ? c.declaredSize : static_cast<std::uint32_t>(c.data.size())).Text(c.data);
    OpenedRiff file(raw.bytes);
    const CString text = file.root.ReadString("INAM");
    EXPECT_EQ(text.Str(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RiffChunkReadString,
    ::testing::Values(
        StringCase{"SixCharactersAndTwoZeros", std::string("Bank 1\0\0", 8), 0, "Bank 1"},
        StringCase{"NoZeroByte", "Bank12", 0, "Bank12"},
        StringCase{"BytesAfterTheFirstZeroIgnored", std::string("ab\0cd\0", 6), 0, "ab"},
        StringCase{"EmptyChunk", "", 0, ""},
        StringCase{"ShiftJisBytesUnchanged", "\x83\x73\x83\x41\x83\x6D\x95\x5C", 0, "\x83\x73\x83\x41\x83\x6D\x95\x5C"},
        StringCase{"DeclaredBeyondTheFile", "Short", 1000, "Short"},
        StringCase{"DeclaredNearly4GiB", std::string("Name\0", 5), 0xFFFFFF00u, "Name"}),
    [](const ::testing::TestParamInfo<StringCase>& p) { return std::string(p.param.title); });

TEST(RiffChunkReadStringMissing, GivesEmptyText)
{
    RawBytes raw;
    raw.Header("ifil", 4).U32(0x00010002);
    OpenedRiff file(raw.bytes);
    EXPECT_TRUE(file.root.ReadString("INAM").IsEmpty());
}

// ---- ReadRecords ---------------------------------------------------------------------------

// The byte at `i` of the data chunk: never zero, so read bytes and zero padding differ.
std::uint8_t Pattern(std::size_t i)
{
    return static_cast<std::uint8_t>(1 + i % 251);
}

struct RecordsCase {
    const char* title;
    std::uint32_t declaredSize;
    std::size_t bytesInFile;
    std::size_t expectedCount;
};

class RiffChunkReadRecords : public ::testing::TestWithParam<RecordsCase> {};

TEST_P(RiffChunkReadRecords, CreatesTheRecordsThatBeginInsideTheFileAndZeroPadsTheCutOne)
{
    const RecordsCase& c = GetParam();
    RawBytes raw;
    raw.Header("pbag", 4).U32(0);
    raw.Header("phdr", c.declaredSize);
    for (std::size_t i = 0; i < c.bytesInFile; ++i)
        raw.bytes.push_back(Pattern(i));
    OpenedRiff file(raw.bytes);

    std::vector<sfPresetHeader> records(3); // replaced whole when the chunk exists
    ReadRecords(file.root, "phdr", records, sizeof(sfPresetHeader));
    ASSERT_EQ(records.size(), c.expectedCount);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(records.data());
    const std::size_t heldInRecords = std::min<std::size_t>(c.bytesInFile, c.expectedCount * 38);
    for (std::size_t i = 0; i < c.expectedCount * 38; ++i) {
        ASSERT_EQ(bytes[i], i < heldInRecords ? Pattern(i) : 0) << "byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RiffChunkReadRecords,
    ::testing::Values(
        RecordsCase{"RemainderIgnored", 77, 77, 2},
        RecordsCase{"ExactlyTwo", 76, 76, 2},
        RecordsCase{"EmptyChunk", 0, 0, 0},
        RecordsCase{"ShorterThanOneRecord", 37, 37, 0},
        RecordsCase{"DeclaredBeyondFileCutRecordPadded", 380, 86, 3},
        RecordsCase{"DeclaredBeyondFileEndsOnRecordBoundary", 380, 76, 2},
        RecordsCase{"DeclaredBeyondFileNothingHeld", 380, 0, 0},
        RecordsCase{"Declared4GiBInATinyFile", 0xFFFFFFD0u, 50, 2}),
    [](const ::testing::TestParamInfo<RecordsCase>& p) { return std::string(p.param.title); });

TEST(RiffChunkReadRecordsMissing, LeavesTheArrayUntouched)
{
    RawBytes raw;
    raw.Header("pbag", 8).U32(0x00020001).U32(0x00040003);
    OpenedRiff file(raw.bytes);
    std::vector<sfPresetBag> records(2);
    records[1].wGenNdx = 77;
    ReadRecords(file.root, "ibag", records, sizeof(sfPresetBag));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].wGenNdx, 77);

    ReadRecords(file.root, "pbag", records, sizeof(sfPresetBag));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].wGenNdx, 1);
    EXPECT_EQ(records[0].wModNdx, 2);
    EXPECT_EQ(records[1].wGenNdx, 3);
    EXPECT_EQ(records[1].wModNdx, 4);
}

} // namespace
