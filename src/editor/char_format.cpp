#include "editor/char_format.h"

#include <cstring>

#include "core/gbk.h"
#include "ui/color.h"

namespace notes {
namespace {

constexpr DWORD kStyleMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;

CHARFORMATA Empty(DWORD mask) {
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = mask;
    return format;
}

}  // namespace

core::TColor ColorOf(const CHARFORMATA& format) {
    if (format.dwEffects & CFE_AUTOCOLOR) return core::clWindowText;
    return static_cast<core::TColor>(format.crTextColor);
}

ui::FontStyle StyleOf(const CHARFORMATA& format) {
    return {.bold = (format.dwEffects & CFE_BOLD) != 0,
            .italic = (format.dwEffects & CFE_ITALIC) != 0,
            .underline = (format.dwEffects & CFE_UNDERLINE) != 0,
            .strikeOut = (format.dwEffects & CFE_STRIKEOUT) != 0};
}

int PointsOf(const CHARFORMATA& format) {
    return format.yHeight / 20;
}

std::string FaceOf(const CHARFORMATA& format) {
    // The control need not end a name of the full length with a NUL.
    return std::string(format.szFaceName, strnlen(format.szFaceName, sizeof format.szFaceName));
}

CHARFORMATA ColorFormat(core::TColor color) {
    CHARFORMATA format = Empty(CFM_COLOR);
    if (color == core::clWindowText) {
        // The automatic colour follows the system's window-text colour.
        format.dwEffects = CFE_AUTOCOLOR;
    } else {
        format.crTextColor = ui::ColorToRGB(color);
    }
    return format;
}

CHARFORMATA StyleFormat(const ui::FontStyle& style) {
    CHARFORMATA format = Empty(kStyleMask);
    if (style.bold) format.dwEffects |= CFE_BOLD;
    if (style.italic) format.dwEffects |= CFE_ITALIC;
    if (style.underline) format.dwEffects |= CFE_UNDERLINE;
    if (style.strikeOut) format.dwEffects |= CFE_STRIKEOUT;
    return format;
}

CHARFORMATA SizeFormat(int points) {
    CHARFORMATA format = Empty(CFM_SIZE);
    format.yHeight = points * 20;
    return format;
}

CHARFORMATA FaceFormat(std::string_view face) {
    CHARFORMATA format = Empty(CFM_FACE);
    face = face.substr(0, strnlen(face.data(), face.size()));
    std::size_t length = 0;
    // Cut at a whole GBK character, never between the two bytes of one.
    while (length < face.size()) {
        const std::size_t next = length + core::GbkCharLength(face, length);
        if (next > kMaxFaceLength) break;
        length = next;
    }
    std::memcpy(format.szFaceName, face.data(), length);
    return format;
}

}  // namespace notes
