#include "platform/DlgInit_win32.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr WORD kLbAddString16 = 0x0401;
constexpr WORD kCbAddString16 = 0x0403;

template <class T>
T ReadLittleEndian(const unsigned char* p)
{
    T value = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
        value = static_cast<T>((value << 8) | p[i]);
    return value;
}

} // namespace

std::vector<DlgInitItem> ParseDlgInit(const void* pData, std::size_t size)
{
    std::vector<DlgInitItem> items;
    const auto* p = static_cast<const unsigned char*>(pData);
    std::size_t at = 0;
    constexpr std::size_t kHeader = 2 + 2 + 4;
    while (size - at >= 2) {
        const WORD id = ReadLittleEndian<WORD>(p + at);
        if (id == 0 || size - at < kHeader)
            break;
        const WORD message = ReadLittleEndian<WORD>(p + at + 2);
        const std::uint32_t count = ReadLittleEndian<std::uint32_t>(p + at + 4);
        at += kHeader;
        if (count > size - at)
            break;
        const char* text = reinterpret_cast<const char*>(p + at);
        const void* zero = std::memchr(text, 0, count);
        const std::size_t length = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text) : count;
        at += count;
        if (message == kCbAddString16)
            items.push_back({static_cast<short>(id), CB_ADDSTRING, std::string(text, length)});
        else if (message == kLbAddString16)
            items.push_back({static_cast<short>(id), LB_ADDSTRING, std::string(text, length)});
    }
    return items;
}

void ExecuteDlgInit(HWND hDlg, HINSTANCE hInstance, UINT nIDTemplate)
{
    const HRSRC hInfo = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDTemplate), MAKEINTRESOURCEA(RT_DLGINIT_ID));
    if (!hInfo)
        return;
    const HGLOBAL hData = ::LoadResource(hInstance, hInfo);
    const void* pData = hData ? ::LockResource(hData) : nullptr;
    if (!pData)
        return;
    for (const DlgInitItem& item : ParseDlgInit(pData, ::SizeofResource(hInstance, hInfo)))
        ::SendDlgItemMessageA(hDlg, item.nIDC, item.message, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
}
