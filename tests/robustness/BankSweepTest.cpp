// Every Debian bank, cut down to its headers and tables, truncated at many places and broken one
// field at a time: Load must return with a table that keeps its promises, within its work
// budget, reading no more than the file holds, and whatever loaded must convert to well-formed lists.
#include "definition/ExportDefinition.h"
#include "definition/MapListBuilder.h"
#include "tests/robustness/ListInvariants.h"
#include "tests/robustness/RobustnessSupport.h"
#include "tests/support/DebianBanks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

using robustness::Bytes;

struct SweepStats {
    int loads = 0;
    int loaded = 0;
    int xmllintRuns = 0;
};

class BankSweep : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        m_path = sftest::DebianBank(GetParam());
        if (!m_path.empty())
            m_bank = robustness::CutDown(m_path);
    }

    // One mutated bank: loaded, checked, converted with one of the nine player and grouping pairs.
    void Check(const Bytes& bytes, std::size_t length, const std::string& what)
    {
        CSoundFont bank;
        const std::uint64_t readBefore = CFile::GetTotalBytesRead();
        const bool loaded = m_scratch.Load(bytes, length, bank);
        const std::uint64_t read = CFile::GetTotalBytesRead() - readBefore;
        ++m_stats.loads;
        ASSERT_EQ("", robustness::CheckPresetTable(bank, loaded)) << what;
        // Tables are read once each and headers once per search; a name chunk whose size runs to
        // the end of the file reads the rest once more. Never more than twice the file.
        ASSERT_LE(read, 2 * length + 4096) << what;
        if (!loaded)
            return;
        ++m_stats.loaded;
        ConversionSettings settings;
        settings.m_strMapName = bank.GetName().IsEmpty() ? CString("Map") : bank.GetName();
        settings.m_strModuleName = settings.m_strMapName;
        settings.m_nPlayer = m_stats.loads % 3;
        const int mode = (m_stats.loads / 3) % 3;
        const CMapListBuilder builder(bank, settings);
        for (const bool drums : {false, true})
            ASSERT_EQ("", robustness::CheckList(builder.BuildMapList(mode, drums).View(), settings.m_nPlayer, mode, drums))
                << what << (drums ? " drums" : " tones");
#ifndef _WIN32
        if (m_stats.loaded % 97 == 1)
            XmllintExport(bank, settings, what);
#endif
    }

#ifndef _WIN32
    // A sample of whole exports goes through a real XML parser as well.
    void XmllintExport(const CSoundFont& bank, ConversionSettings settings, const std::string& what)
    {
        if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
            return;
        settings.m_nToneMapMode = settings.m_nPlayer;
        const std::string out = m_scratch.Path() + ".xml";
        robustness::CQuietSink sink;
        {
            const CScopedMessageSink scope(sink);
            ExportDefinition(settings, bank, CString(out), CString(QUINTARO_SOURCE_DIR "/res"));
        }
        ++m_stats.xmllintRuns;
        EXPECT_EQ(0, std::system(("xmllint --noout '" + out + "'").c_str())) << what;
        std::remove(out.c_str());
    }
#endif

    std::string m_path;
    robustness::SmallBank m_bank;
    robustness::CScratchBank m_scratch{std::string("sweep-") + GetParam()};
    SweepStats m_stats;
};

TEST_P(BankSweep, EveryTruncationLoadsSafely)
{
    if (m_path.empty())
        return;
    const Bytes& bytes = m_bank.bytes;
    const robustness::ChunkPlace* pdta = m_bank.Find("pdta");
    ASSERT_NE(nullptr, pdta);
    // Every length through the headers and the start of the tables, every length around each
    // chunk header and the start of its data, and a stride through the rest.
    std::set<std::size_t> lengths;
    for (std::size_t n = 0; n <= std::min<std::size_t>(bytes.size(), pdta->data + 512); ++n)
        lengths.insert(n);
    for (const robustness::ChunkPlace& c : m_bank.chunks)
        for (std::size_t n = c.header; n <= std::min(bytes.size(), c.data + 64); ++n)
            lengths.insert(n);
    for (std::size_t n = 0; n <= bytes.size(); n += 199)
        lengths.insert(n);
    lengths.insert(bytes.size());
    for (const std::size_t n : lengths) {
        Check(bytes, n, "truncated to " + std::to_string(n) + " bytes");
        if (HasFatalFailure())
            return;
    }
    RecordProperty("loads", m_stats.loads);
    std::printf("%s: %d truncations, %d loaded, %d checked by xmllint\n", GetParam(), m_stats.loads, m_stats.loaded,
                m_stats.xmllintRuns);
}

// The index fields of the tables, and the table each one points into.
struct IndexField {
    const char* table;
    std::size_t recordSize;
    std::size_t offset;
    const char* target; // the table whose size is the interesting value
};

constexpr IndexField kFields[] = {
    {"phdr", 38, 20, "phdr"}, {"phdr", 38, 22, "phdr"}, {"phdr", 38, 24, "pbag"}, {"pbag", 4, 0, "pgen"},
    {"pgen", 4, 0, "pgen"},   {"pgen", 4, 2, "inst"},   {"inst", 22, 20, "ibag"}, {"ibag", 4, 0, "igen"},
    {"igen", 4, 0, "igen"},   {"igen", 4, 2, "shdr"},   {"shdr", 46, 0, "shdr"},
};

TEST_P(BankSweep, EverySingleFieldCorruptionLoadsSafely)
{
    if (m_path.empty())
        return;
    const auto records = [&](const char* id, std::size_t size) {
        const robustness::ChunkPlace* c = m_bank.Find(id);
        return c ? c->size / size : 0;
    };
    for (const IndexField& field : kFields) {
        const robustness::ChunkPlace* table = m_bank.Find(field.table);
        ASSERT_NE(nullptr, table) << field.table;
        const std::size_t n = table->size / field.recordSize;
        const std::size_t targetSize = records(field.target, std::string(field.target) == "phdr" ? 38
                                                             : std::string(field.target) == "inst" ? 22
                                                             : std::string(field.target) == "shdr" ? 46 : 4);
        std::set<std::size_t> which = {0, 1, n / 4, n / 2, 3 * n / 4, n - 2, n - 1};
        for (const std::size_t r : which) {
            if (r >= n)
                continue;
            for (const std::uint32_t value : {0u, 1u, 128u, 0x00FFu, static_cast<std::uint32_t>(targetSize - 1),
                                              static_cast<std::uint32_t>(targetSize), 0x8000u, 0xFFFFu}) {
                Bytes bytes = m_bank.bytes;
                robustness::Write16(bytes, table->data + r * field.recordSize + field.offset, static_cast<std::uint16_t>(value));
                Check(bytes, bytes.size(), std::string(field.table) + " record " + std::to_string(r) + " offset " +
                                               std::to_string(field.offset) + " = " + std::to_string(value));
                if (HasFatalFailure())
                    return;
            }
        }
    }
    // Sizes: odd, one short, one long, zero, past the file, the largest; and identifiers changed.
    for (const robustness::ChunkPlace& c : m_bank.chunks) {
        const bool list = c.data == c.header + 12;
        const std::uint32_t size = c.size + (list ? 4 : 0);
        for (const std::uint32_t value : {size - 1, size + 1, size | 1u, 0u, 4u, size + 38, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
            Bytes bytes = m_bank.bytes;
            robustness::Write32(bytes, c.header + 4, value);
            Check(bytes, bytes.size(), "size of " + c.id + " = " + std::to_string(value));
            if (HasFatalFailure())
                return;
        }
        Bytes bytes = m_bank.bytes;
        bytes[(list ? c.header + 8 : c.header) + 3] ^= 0x20;
        Check(bytes, bytes.size(), "identifier of " + c.id + " changed");
        if (HasFatalFailure())
            return;
    }
    Bytes form = m_bank.bytes;
    form[8] = 'S';
    Check(form, form.size(), "RIFF form changed");
    std::printf("%s: %d corruptions, %d loaded, %d checked by xmllint\n", GetParam(), m_stats.loads, m_stats.loaded,
                m_stats.xmllintRuns);
}

INSTANTIATE_TEST_SUITE_P(DebianBanks, BankSweep, ::testing::Values("FluidR3_GM.sf2", "FluidR3_GS.sf2", "TimGM6mb.sf2"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

} // namespace
