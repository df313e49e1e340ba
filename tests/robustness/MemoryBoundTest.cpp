// Peak heap while loading is bounded by the bank's pdta: at most kBytesPerPdtaByte times its size
// plus kFixedBytes. The worst shapes are kits that cost a 38-byte header each and get 128 key
// names (4 KiB of text objects) each, named or not.
//
// Heap use is counted by replacing the global operator new and delete in this test program only.
// Outside Windows that sees every allocation, the C++ runtime's own included; on Windows the C++
// runtime may allocate behind such a replacement, so the count would be wrong and the test skips.
#include "tests/robustness/CraftedBanks.h"
#include "tests/robustness/RobustnessSupport.h"
#include "tests/support/DebianBanks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Bound stated for any bank: peak heap bytes during Load <= 170 * pdta bytes + 1 MiB. The worst
// shape measured, 65,535 kits half of them named on every key with 20-byte names, needs 163 times.
constexpr std::uint64_t kBytesPerPdtaByte = 170;
constexpr std::uint64_t kFixedBytes = 1 << 20;

std::atomic<std::uint64_t> g_current{0};
std::atomic<std::uint64_t> g_peak{0};

#ifndef _WIN32
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* CountedAllocate(std::size_t size)
{
    void* block = std::malloc(size + kHeader);
    if (!block)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const std::uint64_t now = g_current += size;
    std::uint64_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void CountedRelease(void* p) noexcept
{
    if (!p)
        return;
    void* block = static_cast<char*>(p) - kHeader;
    g_current -= *static_cast<std::size_t*>(block);
    std::free(block);
}
#endif

// The peak above what was in use when the measurement began.
class CHeapPeak {
public:
    CHeapPeak() : m_base(g_current.load()) { g_peak = m_base; }
    std::uint64_t Bytes() const { return g_peak.load() - m_base; }

private:
    std::uint64_t m_base;
};

std::uint64_t PdtaSize(const std::vector<std::uint8_t>& bytes)
{
    for (std::size_t at = 12; at + 12 <= bytes.size();) {
        const std::uint32_t size = robustness::Read32(bytes, at + 4);
        if (bytes[at + 8] == 'p' && bytes[at + 9] == 'd' && bytes[at + 10] == 't' && bytes[at + 11] == 'a')
            return size;
        at += 8 + size;
    }
    return 0;
}

std::uint64_t PeakWhileLoading(const std::vector<std::uint8_t>& bytes, int expectedPresets)
{
    robustness::CScratchBank file("memory");
    std::uint64_t peak = 0;
    {
        CSoundFont bank;
        const CHeapPeak measure;
        EXPECT_TRUE(file.Load(bytes, bank));
        peak = measure.Bytes();
        EXPECT_EQ(expectedPresets, bank.GetPresetCount());
    }
    return peak;
}

class MemoryBound : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifdef _WIN32
        GTEST_SKIP() << "the C++ runtime of this tree allocates behind a replaced operator new";
#endif
    }

    void ExpectWithinBound(const std::vector<std::uint8_t>& bytes, int presets, const char* shape)
    {
        const std::uint64_t pdta = PdtaSize(bytes);
        const std::uint64_t peak = PeakWhileLoading(bytes, presets);
        std::printf("%s: pdta %llu bytes, peak heap %llu bytes (%.1f x pdta)\n", shape,
                    static_cast<unsigned long long>(pdta), static_cast<unsigned long long>(peak),
                    static_cast<double>(peak) / static_cast<double>(pdta));
        EXPECT_GT(peak, pdta) << "the counter saw nothing: " << shape;
        EXPECT_LE(peak, kBytesPerPdtaByte * pdta + kFixedBytes) << shape;
    }
};

TEST_F(MemoryBound, SixtyFiveThousandUnnamedKits)
{
    ExpectWithinBound(robustness::BuildManyKitsBank(65535, false), 65535, "65,535 kits without names");
}

TEST_F(MemoryBound, SixtyFiveThousandKitsHalfOfThemNamedOnEveryKeyWithTwentyBytes)
{
    ExpectWithinBound(robustness::BuildManyKitsBank(65535, true), 65535, "65,535 kits, half with 128 long names");
}

TEST_F(MemoryBound, OverlappingRanges)
{
    ExpectWithinBound(robustness::BuildOverlappingBank(), 10001, "overlapping ranges");
}

TEST_F(MemoryBound, DebianBanks)
{
    for (const char* name : {"FluidR3_GM.sf2", "FluidR3_GS.sf2", "TimGM6mb.sf2"}) {
        const std::string path = sftest::DebianBank(name);
        if (path.empty())
            return;
        const robustness::SmallBank small = robustness::CutDown(path);
        robustness::CScratchBank file("memory-real");
        CSoundFont probe;
        ASSERT_TRUE(file.Load(small.bytes, probe));
        ExpectWithinBound(small.bytes, probe.GetPresetCount(), name);
    }
}

} // namespace

#ifndef _WIN32
void* operator new(std::size_t size) { return CountedAllocate(size); }
void* operator new[](std::size_t size) { return CountedAllocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return CountedAllocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { CountedRelease(p); }
void operator delete[](void* p) noexcept { CountedRelease(p); }
void operator delete(void* p, std::size_t) noexcept { CountedRelease(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedRelease(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { CountedRelease(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { CountedRelease(p); }
#endif
