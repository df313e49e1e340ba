// Reads an extended dialog template (DLGTEMPLATEEX) from a module's resources, so that tests can
// compare the template itself, in dialog units, with what the window is meant to be.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace wintest {

// A class or a text of a template: a name, or a number (a predefined class, a resource id).
struct NameOrOrdinal {
    std::string name; // UTF-8
    std::optional<std::uint16_t> ordinal;
};

struct DialogItem {
    std::uint32_t exStyle;
    std::uint32_t style;
    short x, y, cx, cy;
    std::int32_t id;
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
};

struct DialogTemplate {
    std::uint32_t exStyle;
    std::uint32_t style;
    short x, y, cx, cy;
    std::string title; // UTF-8
    std::uint16_t pointSize;
    std::uint16_t weight;
    std::uint8_t italic;
    std::uint8_t charset;
    std::string typeface; // UTF-8
    std::vector<DialogItem> items;
};

// Nothing when the module has no such template or it is not an extended one.
std::optional<DialogTemplate> LoadDialogTemplate(HMODULE hModule, unsigned id);

// The predefined class ordinals of templates.
inline constexpr std::uint16_t kButtonClass = 0x0080;
inline constexpr std::uint16_t kEditClass = 0x0081;
inline constexpr std::uint16_t kStaticClass = 0x0082;
inline constexpr std::uint16_t kComboBoxClass = 0x0085;

} // namespace wintest
