// What must hold of any loaded bank and of any list built from it, whatever the bank's bytes
// were. Shared by the fuzz targets and the robustness tests; every check returns the first
// violation as a sentence, or an empty string.
#pragma once

#include "definition/ConversionSettings.h"
#include "soundfont/CSoundFont.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace robustness {

inline bool HasForbiddenByte(std::string_view text)
{
    for (const char c : text)
        if (c == '\0')
            return true;
    return false;
}

// The table Load leaves: sorted, kits with 128 names, no name longer than a 20-byte field.
inline std::string CheckPresetTable(const CSoundFont& bank, bool loaded)
{
    if (loaded != (bank.GetPresetCount() > 0))
        return "Load's result disagrees with the number of entries";
    if (bank.GetKeyNamingVisits() > CSoundFont::kKeyNamingBudget)
        return "key naming spent more than its budget";
    for (int i = 0; i < bank.GetPresetCount(); ++i) {
        const CPresetEntry* entry = bank.GetPreset(i);
        if (!entry)
            return "null entry at " + std::to_string(i);
        if (i > 0 && ComparePresets(entry, bank.GetPreset(i - 1)))
            return "entry " + std::to_string(i) + " sorts before the one in front of it";
        if (entry->m_strName.GetLength() > 20 || HasForbiddenByte(entry->m_strName.View()))
            return "entry " + std::to_string(i) + " has a name that no 20-byte field gives";
        const std::size_t expectedKeys = entry->IsDrumKit() ? 128 : 0;
        if (entry->m_keyNames.size() != expectedKeys)
            return "entry " + std::to_string(i) + " has " + std::to_string(entry->m_keyNames.size()) + " key names";
        for (const CString& key : entry->m_keyNames)
            if (key.GetLength() > 20 || HasForbiddenByte(key.View()))
                return "entry " + std::to_string(i) + " has a key name that no 20-byte field gives";
    }
    return {};
}

namespace detail {

// Walks one list byte by byte: every line is tabs, one element, CR LF.
class CListChecker {
public:
    CListChecker(std::string_view text, int player, int mode, bool drums)
        : m_text(text), m_player(player), m_mode(mode), m_drums(drums)
    {
    }

    std::string Run()
    {
        if (m_text.substr(0, 2) != "\t\t")
            return "the list does not begin with two tabs";
        while (m_pos < m_text.size()) {
            std::string error = Line();
            if (!error.empty())
                return error + " (at byte " + std::to_string(m_pos) + ")";
        }
        if (!m_stack.empty())
            return "the list ends inside an element";
        const int expectedMaps = m_mode == kMapGroupingOne ? 1 : m_mode == kMapGroupingBy8 ? 17 : 9;
        if (m_maps != expectedMaps)
            return std::to_string(m_maps) + " maps instead of " + std::to_string(expectedMaps);
        return {};
    }

private:
    struct Attribute {
        std::string name;
        std::string value;
    };

    std::string Line()
    {
        int tabs = 0;
        while (m_pos < m_text.size() && m_text[m_pos] == '\t') {
            ++tabs;
            ++m_pos;
        }
        if (tabs != static_cast<int>(m_stack.size()) + 2 - (Peek("</") ? 1 : 0))
            return "wrong indentation";
        if (!Take("<"))
            return "a line without an element";
        const bool closing = Take("/");
        const std::string tag = Word();
        std::vector<Attribute> attributes;
        while (Take(" ")) {
            if (Peek("/>"))
                break;
            Attribute attribute;
            attribute.name = Word();
            if (attribute.name.empty() || !Take("=\""))
                return "a malformed attribute";
            std::string error = Value(attribute.value);
            if (!error.empty())
                return error;
            attributes.push_back(std::move(attribute));
        }
        const bool empty = Take("/>");
        if (!empty && !Take(">"))
            return "an element that does not end with >";
        if (!Take("\r\n"))
            return "a line that does not end with CR LF";
        return closing ? Close(tag, attributes) : Open(tag, attributes, empty);
    }

    std::string Open(const std::string& tag, const std::vector<Attribute>& attributes, bool empty)
    {
        const std::string parent = m_stack.empty() ? "" : m_stack.back();
        if (tag == "Map" && parent.empty() && !empty && Names(attributes, {"Name"})) {
            ++m_maps;
            m_rangeStart = m_mode == kMapGroupingOne ? 1 : -1;
            if (m_maps > 1)
                m_rangeStart = 1 + (m_maps - 2) * (m_mode == kMapGroupingBy8 ? 8 : 16);
            m_rangeSize = m_mode == kMapGroupingOne ? 128 : m_mode == kMapGroupingBy8 ? 8 : 16;
        } else if (tag == "PC" && parent == "Map" && !empty && Names(attributes, {"Name", "PC"})) {
            const int pc = Number(attributes[1].value);
            if (m_rangeStart < 0 || pc < m_rangeStart || pc >= m_rangeStart + m_rangeSize || pc <= m_lastPc)
                return "PC " + attributes[1].value + " out of place";
            m_lastPc = pc;
            m_banks = 0;
        } else if (tag == "Bank" && parent == "PC" && Names(attributes, {"Name", "LSB", "MSB"})) {
            if (empty == m_drums || (m_drums && m_banks > 0))
                return "a Bank element of the wrong kind";
            const int lsb = Number(attributes[1].value);
            const int msb = Number(attributes[2].value);
            if (lsb < 0 || msb < 0 || lsb > 65535 || msb > 65535 || (lsb != 0 && msb != 0))
                return "bank select values that no bank number gives";
            if (m_drums && (lsb != 0 || msb != (m_player == kPlayerTiMidityGS ? 0 : 127)))
                return "drum kit bank select values wrong for the player";
            ++m_banks;
            m_lastKey = -1;
        } else if (tag == "Tone" && parent == "Bank" && empty && Names(attributes, {"Name", "Key"})) {
            const int key = Number(attributes[1].value);
            if (key <= m_lastKey || key > 127)
                return "Key " + attributes[1].value + " out of order";
            m_lastKey = key;
        } else {
            return "element <" + tag + "> out of place";
        }
        if (!empty)
            m_stack.push_back(tag);
        return {};
    }

    std::string Close(const std::string& tag, const std::vector<Attribute>& attributes)
    {
        if (!attributes.empty() || m_stack.empty() || m_stack.back() != tag)
            return "unbalanced </" + tag + ">";
        if (tag == "PC" && m_banks == 0)
            return "a PC without a Bank";
        m_stack.pop_back();
        return {};
    }

    static bool Names(const std::vector<Attribute>& attributes, std::initializer_list<const char*> names)
    {
        if (attributes.size() != names.size())
            return false;
        std::size_t i = 0;
        for (const char* name : names)
            if (attributes[i++].name != name)
                return false;
        return true;
    }

    static int Number(const std::string& text)
    {
        if (text.empty() || text.size() > 6 || (text.size() > 1 && text[0] == '0'))
            return -1;
        int n = 0;
        for (const char c : text) {
            if (c < '0' || c > '9')
                return -1;
            n = n * 10 + (c - '0');
        }
        return n;
    }

    // An attribute value up to its closing quote: no raw <, no & that starts no reference, no
    // control byte that XML 1.0 forbids.
    std::string Value(std::string& value)
    {
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            const unsigned char c = static_cast<unsigned char>(m_text[m_pos]);
            if (c == '<')
                return "a raw < in an attribute value";
            if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
                return "control byte " + std::to_string(c) + " in an attribute value";
            if (c == '&') {
                bool known = false;
                for (const char* entity : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"})
                    if (Peek(entity)) {
                        value += entity;
                        m_pos += std::string_view(entity).size();
                        known = true;
                        break;
                    }
                if (!known)
                    return "a raw & in an attribute value";
                continue;
            }
            value += static_cast<char>(c);
            ++m_pos;
        }
        if (!Take("\""))
            return "an attribute value without its closing quote";
        return {};
    }

    std::string Word()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && ((m_text[m_pos] >= 'A' && m_text[m_pos] <= 'Z') || (m_text[m_pos] >= 'a' && m_text[m_pos] <= 'z')))
            ++m_pos;
        return std::string(m_text.substr(start, m_pos - start));
    }

    bool Peek(std::string_view s) const { return m_text.substr(m_pos, s.size()) == s; }
    bool Take(std::string_view s)
    {
        if (!Peek(s))
            return false;
        m_pos += s.size();
        return true;
    }

    std::string_view m_text;
    int m_player;
    int m_mode;
    bool m_drums;
    std::size_t m_pos = 0;
    std::vector<std::string> m_stack;
    int m_maps = 0;
    int m_rangeStart = -1;
    int m_rangeSize = 0;
    int m_lastPc = 0;
    int m_banks = 0;
    int m_lastKey = -1;
};

} // namespace detail

// One list as BuildMapList returns it: balanced Map, PC and Bank elements at their levels, PC
// numbers ascending inside their range maps, keys ascending, every attribute value escaped.
inline std::string CheckList(std::string_view text, int player, int mode, bool drums)
{
    return detail::CListChecker(text, player, mode, drums).Run();
}

} // namespace robustness
