#include "tests/win32/DialogTemplate.h"

#include <cstring>
#include <stdexcept>

namespace wintest {

namespace {

std::string WideToUtf8(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

class Reader {
public:
    Reader(const unsigned char* p, std::size_t size) : m_p(p), m_size(size) {}

    template <class T>
    T Read()
    {
        T value{};
        if (m_at + sizeof(T) > m_size)
            throw std::out_of_range("template ends early");
        std::memcpy(&value, m_p + m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }

    std::wstring ReadString()
    {
        std::wstring text;
        for (wchar_t c; (c = static_cast<wchar_t>(Read<std::uint16_t>())) != 0;)
            text.push_back(c);
        return text;
    }

    NameOrOrdinal ReadNameOrOrdinal()
    {
        const std::uint16_t first = Read<std::uint16_t>();
        if (first == 0)
            return {};
        if (first == 0xFFFF)
            return {std::string(), Read<std::uint16_t>()};
        std::wstring text(1, static_cast<wchar_t>(first));
        text += ReadString();
        return {WideToUtf8(text), std::nullopt};
    }

    void AlignToDword() { m_at = (m_at + 3) & ~std::size_t{3}; }
    void Skip(std::size_t n) { m_at += n; }

private:
    const unsigned char* m_p;
    std::size_t m_size;
    std::size_t m_at = 0;
};

} // namespace

std::optional<DialogTemplate> LoadDialogTemplate(HMODULE hModule, unsigned id)
{
    const HRSRC hInfo = ::FindResourceA(hModule, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!hInfo)
        return std::nullopt;
    const auto* p = static_cast<const unsigned char*>(::LockResource(::LoadResource(hModule, hInfo)));
    Reader in(p, ::SizeofResource(hModule, hInfo));
    try {
        if (in.Read<std::uint16_t>() != 1 || in.Read<std::uint16_t>() != 0xFFFF)
            return std::nullopt;
        DialogTemplate t{};
        in.Read<std::uint32_t>(); // help id
        t.exStyle = in.Read<std::uint32_t>();
        t.style = in.Read<std::uint32_t>();
        const std::uint16_t count = in.Read<std::uint16_t>();
        t.x = in.Read<short>();
        t.y = in.Read<short>();
        t.cx = in.Read<short>();
        t.cy = in.Read<short>();
        in.ReadNameOrOrdinal(); // menu
        in.ReadNameOrOrdinal(); // class
        t.title = WideToUtf8(in.ReadString());
        if (t.style & (DS_SETFONT | DS_SHELLFONT)) {
            t.pointSize = in.Read<std::uint16_t>();
            t.weight = in.Read<std::uint16_t>();
            t.italic = in.Read<std::uint8_t>();
            t.charset = in.Read<std::uint8_t>();
            t.typeface = WideToUtf8(in.ReadString());
        }
        for (std::uint16_t i = 0; i < count; ++i) {
            in.AlignToDword();
            DialogItem item{};
            in.Read<std::uint32_t>(); // help id
            item.exStyle = in.Read<std::uint32_t>();
            item.style = in.Read<std::uint32_t>();
            item.x = in.Read<short>();
            item.y = in.Read<short>();
            item.cx = in.Read<short>();
            item.cy = in.Read<short>();
            item.id = in.Read<std::int32_t>();
            item.windowClass = in.ReadNameOrOrdinal();
            item.title = in.ReadNameOrOrdinal();
            in.Skip(in.Read<std::uint16_t>());
            t.items.push_back(std::move(item));
        }
        return t;
    } catch (const std::out_of_range&) {
        return std::nullopt;
    }
}

} // namespace wintest
