#include "editor/char_format.h"

#include <algorithm>
#include <cwchar>

#include "ui/color.h"
#include "ui/fonts.h"

namespace notes {
namespace {

constexpr DWORD kStyleMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;

CHARFORMATW Empty(DWORD mask) {
    CHARFORMATW format = {};
    format.cbSize = sizeof format;
    format.dwMask = mask;
    return format;
}

}  // namespace

core::TColor ColorOf(const CHARFORMATW& format) {
    if (format.dwEffects & CFE_AUTOCOLOR) return core::clWindowText;
    return static_cast<core::TColor>(format.crTextColor);
}

ui::FontStyle StyleOf(const CHARFORMATW& format) {
    return {.bold = (format.dwEffects & CFE_BOLD) != 0,
            .italic = (format.dwEffects & CFE_ITALIC) != 0,
            .underline = (format.dwEffects & CFE_UNDERLINE) != 0,
            .strikeOut = (format.dwEffects & CFE_STRIKEOUT) != 0};
}

int PointsOf(const CHARFORMATW& format) {
    return format.yHeight / 20;
}

std::wstring FaceOf(const CHARFORMATW& format) {
    return ui::FaceName(format.szFaceName);
}

CHARFORMATW ColorFormat(core::TColor color) {
    CHARFORMATW format = Empty(CFM_COLOR);
    if (color == core::clWindowText) {
        // The automatic colour follows the system's window-text colour.
        format.dwEffects = CFE_AUTOCOLOR;
    } else {
        format.crTextColor = ui::ColorToRGB(color);
    }
    return format;
}

CHARFORMATW StyleFormat(const ui::FontStyle& style) {
    CHARFORMATW format = Empty(kStyleMask);
    if (style.bold) format.dwEffects |= CFE_BOLD;
    if (style.italic) format.dwEffects |= CFE_ITALIC;
    if (style.underline) format.dwEffects |= CFE_UNDERLINE;
    if (style.strikeOut) format.dwEffects |= CFE_STRIKEOUT;
    return format;
}

CHARFORMATW SizeFormat(int points) {
    CHARFORMATW format = Empty(CFM_SIZE);
    format.yHeight = points * 20;
    return format;
}

CHARFORMATW FaceFormat(std::wstring_view face) {
    CHARFORMATW format = Empty(CFM_FACE);
    face = face.substr(0, wcsnlen(face.data(), face.size()));
    std::size_t length = std::min(face.size(), kMaxFaceLength);
    // Cut at a whole character, never between the two halves of a surrogate pair.
    if (length < face.size() && length > 0 && IS_HIGH_SURROGATE(face[length - 1])) --length;
    std::wmemcpy(format.szFaceName, face.data(), length);
    return format;
}

}  // namespace notes
