#include "soundfont/CSoundFont.h"

#include "platform/CFile.h"
#include "platform/CodePage.h"
#include "platform/Exceptions.h"
#include "soundfont/CRiffChunk.h"
#include "soundfont/SoundFontRecords.h"

#include <algorithm>
#include <optional>

namespace {

// The seven pdta tables; they live only while a bank loads.
struct PdtaTables {
    std::vector<sfPresetHeader> phdr;
    std::vector<sfPresetBag> pbag;
    std::vector<sfGenList> pgen;
    std::vector<sfInst> inst;
    std::vector<sfInstBag> ibag;
    std::vector<sfGenList> igen;
    std::vector<sfSample> shdr;
};

struct KeyRange {
    unsigned lo;
    unsigned hi;
};

// The records [first, next) that an index field of record i and record i + 1 delimit; empty
// when record i + 1 does not exist or the range does not ascend. The end is clipped to `limit`.
template <class Record, class Field>
std::pair<std::size_t, std::size_t> IndexRange(const std::vector<Record>& table, std::size_t i, Field field, std::size_t limit)
{
    if (i + 1 >= table.size())
        return {0, 0};
    const std::size_t first = table[i].*field;
    const std::size_t next = std::min<std::size_t>(table[i + 1].*field, limit);
    if (next <= first)
        return {0, 0};
    return {first, next};
}

CString SampleKeyName(const sfSample& sample)
{
    CString name = CSoundFont::FieldToString(sample.achSampleName, sizeof sample.achSampleName);
    const std::string_view view = name.View();
    if (view.size() >= 3 && (view.substr(view.size() - 3) == "(L)" || view.substr(view.size() - 3) == "(R)"))
        name = CString(view.substr(0, view.size() - 3));
    return name;
}

// Names the keys of one kit from the samples its zones play, first zone first.
class CKitKeyNamer {
public:
    CKitKeyNamer(const PdtaTables& tables, std::uint64_t& budget) : m_tables(tables), m_budget(budget) {}

    void Name(std::size_t presetIndex, CPresetEntry& kit)
    {
        m_pKit = &kit;
        m_unnamed = kKeyCount;
        m_exhausted = m_budget == 0;
        const auto [firstZone, endZone] = IndexRange(m_tables.phdr, presetIndex, &sfPresetHeader::wPresetBagNdx, m_tables.pbag.size());
        for (std::size_t b = firstZone; b < endZone && !Done() && Visit(); ++b)
            NamePresetZone(b);
    }

private:
    bool Done() const { return m_unnamed == 0 || m_exhausted; }

    // Counts one zone or generator visited; false once the budget is spent.
    bool Visit()
    {
        if (m_budget == 0) {
            m_exhausted = true;
            return false;
        }
        --m_budget;
        return true;
    }

    void NamePresetZone(std::size_t b)
    {
        std::optional<KeyRange> presetRange;
        std::optional<std::size_t> instrument;
        const auto [firstGen, endGen] = IndexRange(m_tables.pbag, b, &sfPresetBag::wGenNdx, m_tables.pgen.size());
        for (std::size_t g = firstGen; g < endGen && Visit(); ++g) {
            const sfGenList& gen = m_tables.pgen[g];
            if (gen.sfGenOper == kGenKeyRange)
                presetRange = KeyRange{gen.genAmount.ranges.byLo, gen.genAmount.ranges.byHi};
            else if (gen.sfGenOper == kGenInstrument)
                instrument = gen.genAmount.wAmount;
        }
        // A zone without an instrument (the global zone) lends its key range to nobody; a zone
        // cut short by the budget names nothing.
        if (!instrument || m_exhausted)
            return;
        const auto [firstZone, endZone] = IndexRange(m_tables.inst, *instrument, &sfInst::wInstBagNdx, m_tables.ibag.size());
        for (std::size_t z = firstZone; z < endZone && !Done() && Visit(); ++z)
            NameInstrumentZone(z, presetRange);
    }

    void NameInstrumentZone(std::size_t z, const std::optional<KeyRange>& presetRange)
    {
        std::optional<KeyRange> zoneRange;
        CString sampleName;
        const auto [firstGen, endGen] = IndexRange(m_tables.ibag, z, &sfInstBag::wInstGenNdx, m_tables.igen.size());
        for (std::size_t g = firstGen; g < endGen && Visit(); ++g) {
            const sfGenList& gen = m_tables.igen[g];
            if (gen.sfGenOper == kGenKeyRange)
                zoneRange = KeyRange{gen.genAmount.ranges.byLo, gen.genAmount.ranges.byHi};
            else if (gen.sfGenOper == kGenSampleId && gen.genAmount.wAmount < m_tables.shdr.size())
                sampleName = SampleKeyName(m_tables.shdr[gen.genAmount.wAmount]);
        }
        const std::optional<KeyRange> keys = zoneRange ? zoneRange : presetRange;
        if (!keys || sampleName.IsEmpty() || m_exhausted)
            return;
        const unsigned hi = std::min(keys->hi, static_cast<unsigned>(kKeyCount - 1));
        for (unsigned k = keys->lo; k <= hi; ++k) {
            if (presetRange && (k < presetRange->lo || k > presetRange->hi))
                continue;
            CString& keyName = m_pKit->m_keyNames[k];
            if (keyName.IsEmpty()) {
                keyName = sampleName;
                --m_unnamed;
            }
        }
    }

    const PdtaTables& m_tables;
    std::uint64_t& m_budget;
    CPresetEntry* m_pKit = nullptr;
    int m_unnamed = kKeyCount;
    bool m_exhausted = false;
};

// Reads the bank's name and tables; false when the file layer failed (already reported).
bool ReadBank(CFile& file, CString& name, PdtaTables& tables)
{
    return ReportPlatformExceptions([&] {
        // A file over 4 GiB is seen as its first 4 GiB - 1 bytes, never as a wrapped length.
        const std::uint64_t length = file.GetLength();
        const CRiffChunk root{&file, 0, static_cast<std::uint32_t>(std::min<std::uint64_t>(length, UINT32_MAX))};
        const std::unique_ptr<CRiffChunk> riff = root.FindChunk("RIFF", "sfbk");
        if (!riff)
            return;
        if (const std::unique_ptr<CRiffChunk> info = riff->FindChunk("LIST", "INFO"))
            name = info->ReadString("INAM");
        if (const std::unique_ptr<CRiffChunk> pdta = riff->FindChunk("LIST", "pdta")) {
            ReadRecords(*pdta, "phdr", tables.phdr, sizeof(sfPresetHeader));
            ReadRecords(*pdta, "pbag", tables.pbag, sizeof(sfPresetBag));
            ReadRecords(*pdta, "pgen", tables.pgen, sizeof(sfGenList));
            ReadRecords(*pdta, "inst", tables.inst, sizeof(sfInst));
            ReadRecords(*pdta, "ibag", tables.ibag, sizeof(sfInstBag));
            ReadRecords(*pdta, "igen", tables.igen, sizeof(sfGenList));
            ReadRecords(*pdta, "shdr", tables.shdr, sizeof(sfSample));
        }
    });
}

} // namespace

bool CSoundFont::Load(const CString& path)
{
    PdtaTables tables;
    {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareExclusive)) {
            AfxMessageBox(FixedText(u8"ファイルが開けませんでした。"), MB_OK);
            return false;
        }
        if (!ReadBank(file, m_strName, tables))
            return false;
    }

    std::uint64_t budget = kKeyNamingBudget;
    CKitKeyNamer namer(tables, budget);
    for (std::size_t i = 0; i < tables.phdr.size(); ++i) {
        const sfPresetHeader& header = tables.phdr[i];
        CString name = FieldToString(header.achPresetName, sizeof header.achPresetName);
        if (name == "EOP")
            break;
        m_presets.push_back(std::make_unique<CPresetEntry>(std::move(name), header.wPreset, header.wBank));
        if (header.wBank == kDrumBank)
            namer.Name(i, *m_presets.back());
    }
    m_nKeyNamingVisits = kKeyNamingBudget - budget;

    // Stable, so that entries with equal numbers keep their file order: a bank's unnamed terminal
    // record must not take the place of the real preset 0 of bank 0.
    std::stable_sort(m_presets.begin(), m_presets.end(),
                     [](const auto& a, const auto& b) { return ComparePresets(a.get(), b.get()); });
    return !m_presets.empty();
}

int CSoundFont::FindPreset(std::uint16_t preset, bool isDrum) const
{
    // The table is sorted, so the first match of a linear scan is found by bisection: melodic
    // entries of a number start at its lowest bank, or right after its kit when all lie above 128.
    const auto byNumber = [](const std::unique_ptr<CPresetEntry>& e, std::pair<std::uint16_t, std::uint16_t> key) {
        return e->m_wPreset < key.first || (e->m_wPreset == key.first && e->m_wBank < key.second);
    };
    auto it = std::lower_bound(m_presets.begin(), m_presets.end(), std::make_pair(preset, static_cast<std::uint16_t>(isDrum ? kDrumBank : 0)), byNumber);
    if (!isDrum && it != m_presets.end() && (*it)->m_wPreset == preset && (*it)->IsDrumKit())
        it = std::upper_bound(it, m_presets.end(), std::make_pair(preset, kDrumBank),
                              [](std::pair<std::uint16_t, std::uint16_t> key, const std::unique_ptr<CPresetEntry>& e) {
                                  return key.first < e->m_wPreset || (key.first == e->m_wPreset && key.second < e->m_wBank);
                              });
    if (it == m_presets.end() || (*it)->m_wPreset != preset || (*it)->IsDrumKit() != isDrum)
        return -1;
    return static_cast<int>(it - m_presets.begin());
}

CString CSoundFont::FieldToString(const char* field, std::size_t length)
{
    const auto* end = static_cast<const char*>(std::memchr(field, 0, length));
    return CString(field, end ? static_cast<std::size_t>(end - field) : length);
}

bool ComparePresets(const CPresetEntry* a, const CPresetEntry* b)
{
    return a->m_wPreset < b->m_wPreset || (a->m_wPreset == b->m_wPreset && a->m_wBank < b->m_wBank);
}
