#include "bench/BankFacts.h"

#include <cstring>
#include <fstream>
#include <utility>

namespace bench {

namespace {

constexpr const char* kBankDir = "/usr/share/sounds/sf2/";

struct Header {
    char id[4];
    std::uint32_t size;
    char type[4]; // only meaningful for RIFF and LIST
};

bool ReadHeader(std::ifstream& in, std::uint64_t at, Header& h)
{
    unsigned char raw[12] = {};
    in.clear();
    in.seekg(static_cast<std::streamoff>(at));
    in.read(reinterpret_cast<char*>(raw), sizeof raw);
    if (in.gcount() < 8)
        return false;
    std::memcpy(h.id, raw, 4);
    h.size = static_cast<std::uint32_t>(raw[4] | raw[5] << 8 | raw[6] << 16 | static_cast<std::uint32_t>(raw[7]) << 24);
    std::memcpy(h.type, raw + 8, 4);
    return true;
}

bool Is(const char* a, const char* b) { return std::memcmp(a, b, 4) == 0; }

void Examine(BankFacts& bank)
{
    std::ifstream in(bank.path, std::ios::binary);
    if (!in)
        return;
    in.seekg(0, std::ios::end);
    bank.fileSize = static_cast<std::uint64_t>(in.tellg());
    Header riff {};
    if (!ReadHeader(in, 0, riff) || !Is(riff.id, "RIFF"))
        return;
    bank.present = true;
    std::uint64_t headers = 12;
    std::uint64_t inam = 0;
    const std::uint64_t end = 8 + std::uint64_t{riff.size};
    for (std::uint64_t at = 12; at + 8 <= end;) {
        Header h {};
        if (!ReadHeader(in, at, h))
            break;
        const bool list = Is(h.id, "LIST");
        if (list && Is(h.type, "pdta")) {
            bank.pdtaSize = 8 + std::uint64_t{h.size};
            for (std::uint64_t sub = at + 12; sub + 8 <= at + bank.pdtaSize;) {
                Header s {};
                if (!ReadHeader(in, sub, s))
                    break;
                for (const char* table : {"phdr", "pbag", "pgen", "inst", "ibag", "igen", "shdr"})
                    if (Is(s.id, table))
                        bank.tableBytes += s.size;
                if (Is(s.id, "phdr"))
                    bank.presets = static_cast<int>(s.size / 38) - 1;
                sub += 8 + std::uint64_t{s.size};
            }
            break;
        }
        headers += list ? 12 : 8;
        if (list && Is(h.type, "INFO")) {
            for (std::uint64_t sub = at + 12; sub + 8 <= at + 8 + h.size;) {
                Header s {};
                if (!ReadHeader(in, sub, s))
                    break;
                headers += 8;
                if (Is(s.id, "INAM")) {
                    inam = s.size;
                    break;
                }
                sub += 8 + std::uint64_t{s.size};
            }
        }
        at += 8 + std::uint64_t{h.size};
    }
    bank.limit = bank.pdtaSize + headers + inam;
}

} // namespace

const std::vector<BankFacts>& DebianBanks()
{
    static const std::vector<BankFacts> banks = [] {
        const std::pair<const char*, const char*> known[] = {
            {"FluidR3_GM.sf2", "fluid-soundfont-gm"},
            {"FluidR3_GS.sf2", "fluid-soundfont-gs"},
            {"TimGM6mb.sf2", "timgm6mb-soundfont"},
            {"MuseScore_General_Full.sf2", "musescore-general-soundfont-lossless"},
            {"OPL-3_FM_128M.sf2", "opl3-soundfont"},
        };
        std::vector<BankFacts> list;
        for (const auto& [name, package] : known) {
            BankFacts bank;
            bank.name = name;
            bank.package = package;
            bank.path = std::string(kBankDir) + name;
            Examine(bank);
            list.push_back(std::move(bank));
        }
        return list;
    }();
    return banks;
}

} // namespace bench
