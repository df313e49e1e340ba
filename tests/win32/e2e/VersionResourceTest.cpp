// The version resource of Quintaro.exe as Explorer reads it, with GetFileVersionInfoW.
#include "tests/win32/e2e/RunningApp.h"
#include "tests/win32/e2e/Text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <winver.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

class VersionResource : public testing::Test {
protected:
    void SetUp() override
    {
        const std::wstring exe = QuintaroExe().wstring();
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "Quintaro.exe has no version resource";
        m_data.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, size, m_data.data()));
    }

    // nullptr when the value is absent.
    const void* Query(const std::wstring& path, UINT* length)
    {
        void* value = nullptr;
        if (!::VerQueryValueW(m_data.data(), path.c_str(), &value, length))
            return nullptr;
        return value;
    }

    // A string of the one table, or "<absent>".
    std::string String(const wchar_t* key)
    {
        UINT length = 0;
        const void* value = Query(std::wstring(L"\\StringFileInfo\\041104b0\\") + key, &length);
        if (!value)
            return "<absent>";
        std::wstring text(static_cast<const wchar_t*>(value), length);
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return WideToUtf8(text);
    }

    std::vector<unsigned char> m_data;
};

TEST_F(VersionResource, HasTheFixedPart)
{
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", &length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
}

TEST_F(VersionResource, HasOneJapaneseUnicodeStringTable)
{
    UINT length = 0;
    const auto* translation = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", &length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 4u) << "exactly one translation";
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);

    EXPECT_EQ(String(L"FileDescription"), WideToUtf8(L"sf2→Zelmor音源定義ファイルコンバータ"));
    EXPECT_EQ(String(L"FileVersion"), "1.03");
    EXPECT_EQ(String(L"ProductVersion"), "1.03");
    EXPECT_EQ(String(L"InternalName"), "Quintaro");
    EXPECT_EQ(String(L"OriginalFilename"), "Quintaro.EXE");
    EXPECT_EQ(String(L"ProductName"), WideToUtf8(L"Quintaro ｱﾌﾟﾘｹｰｼｮﾝ"));
    EXPECT_NE(String(L"LegalCopyright"), "<absent>");
    EXPECT_NE(String(L"LegalCopyright"), "");
    for (const wchar_t* empty : {L"Comments", L"CompanyName", L"LegalTrademarks", L"PrivateBuild", L"SpecialBuild"})
        EXPECT_EQ(String(empty), "") << WideToUtf8(empty);
}

}  // namespace
}  // namespace e2e
