#include "definition/MapListBuilder.h"

#include "definition/XmlText.h"

namespace {

constexpr int kProgramCount = 128;
constexpr int kListLevel = 2;

} // namespace

BankSelect BankSelectFor(int player, std::uint16_t bank, bool isDrum)
{
    if (player == kPlayerTiMidityGS)
        return isDrum ? BankSelect{0, 0} : BankSelect{0, bank};
    return isDrum ? BankSelect{0, 127} : BankSelect{bank, 0};
}

CString CMapListBuilder::BuildMapList(int mode, bool drums) const
{
    CString out;
    int level = kListLevel;
    const CString mapName = EscapeXml(m_settings.m_strMapName);
    AppendLine(out, level, "<Map Name=\"%s\">", mapName.GetString());
    if (mode == kMapGroupingOne) {
        ++level;
        WritePrograms(out, level, 0, kProgramCount, drums);
        --level;
        AppendLine(out, level, "</Map>");
        return out;
    }
    // Grouped: an empty map carries the map name, then one map per range of programs.
    AppendLine(out, level, "</Map>");
    const int size = mode == kMapGroupingBy8 ? 8 : 16;
    for (int start = 0; start < kProgramCount; start += size) {
        AppendLine(out, level, "<Map Name=\"  %03d-%03d\">", start + 1, start + size);
        ++level;
        WritePrograms(out, level, start, start + size, drums);
        --level;
        AppendLine(out, level, "</Map>");
    }
    return out;
}

void CMapListBuilder::WritePrograms(CString& out, int& level, int first, int last, bool drums) const
{
    for (int pc = first; pc < last; ++pc) {
        if (drums)
            WriteDrumPC(out, level, pc);
        else
            WriteTonePC(out, level, pc);
    }
}

void CMapListBuilder::WriteTonePC(CString& out, int& level, int pc) const
{
    const int first = m_bank.FindPreset(static_cast<std::uint16_t>(pc), false);
    if (first < 0)
        return;
    const CPresetEntry& head = *m_bank.GetPreset(first);
    AppendLine(out, level, "<PC Name=\"%s\" PC=\"%d\">", EscapeXml(head.m_strName).GetString(), pc + 1);
    ++level;
    // The PC's banks follow in table order until another program or a drum kit begins.
    for (int i = first; i < m_bank.GetPresetCount(); ++i) {
        const CPresetEntry& entry = *m_bank.GetPreset(i);
        if (entry.m_wPreset != head.m_wPreset || entry.IsDrumKit())
            break;
        const BankSelect select = BankSelectFor(m_settings.m_nPlayer, entry.m_wBank, false);
        AppendLine(out, level, "<Bank Name=\"%s\" LSB=\"%d\" MSB=\"%d\" />", EscapeXml(entry.m_strName).GetString(),
                   select.m_nLsb, select.m_nMsb);
    }
    --level;
    AppendLine(out, level, "</PC>");
}

void CMapListBuilder::WriteDrumPC(CString& out, int& level, int pc) const
{
    const int index = m_bank.FindPreset(static_cast<std::uint16_t>(pc), true);
    if (index < 0)
        return;
    const CPresetEntry& kit = *m_bank.GetPreset(index);
    const CString kitName = EscapeXml(kit.m_strName);
    const BankSelect select = BankSelectFor(m_settings.m_nPlayer, kit.m_wBank, true);
    AppendLine(out, level, "<PC Name=\"%s\" PC=\"%d\">", kitName.GetString(), pc + 1);
    ++level;
    AppendLine(out, level, "<Bank Name=\"%s\" LSB=\"%d\" MSB=\"%d\">", kitName.GetString(), select.m_nLsb, select.m_nMsb);
    ++level;
    for (int key = 0; key < kKeyCount && key < static_cast<int>(kit.m_keyNames.size()); ++key) {
        const CString& keyName = kit.m_keyNames[static_cast<std::size_t>(key)];
        if (!keyName.IsEmpty())
            AppendLine(out, level, "<Tone Name=\"%s\" Key=\"%d\" />", EscapeXml(keyName).GetString(), key);
    }
    --level;
    AppendLine(out, level, "</Bank>");
    --level;
    AppendLine(out, level, "</PC>");
}
