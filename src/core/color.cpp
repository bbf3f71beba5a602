#include "core/color.h"

#include "core/number.h"
#include "core/text.h"

namespace core {

const std::array<TIdentMapEntry, 52> ColorIdentTable = {{
    {0x00000000, "clBlack"},
    {0x00000080, "clMaroon"},
    {0x00008000, "clGreen"},
    {0x00008080, "clOlive"},
    {0x00800000, "clNavy"},
    {0x00800080, "clPurple"},
    {0x00808000, "clTeal"},
    {0x00808080, "clGray"},
    {0x00C0C0C0, "clSilver"},
    {0x000000FF, "clRed"},
    {0x0000FF00, "clLime"},
    {0x0000FFFF, "clYellow"},
    {0x00FF0000, "clBlue"},
    {0x00FF00FF, "clFuchsia"},
    {0x00FFFF00, "clAqua"},
    {0x00FFFFFF, "clWhite"},
    {0x00C0DCC0, "clMoneyGreen"},
    {0x00F0CAA6, "clSkyBlue"},
    {0x00F0FBFF, "clCream"},
    {0x00A4A0A0, "clMedGray"},
    {SystemColor(10), "clActiveBorder"},
    {SystemColor(2), "clActiveCaption"},
    {SystemColor(12), "clAppWorkSpace"},
    {SystemColor(1), "clBackground"},
    {SystemColor(15), "clBtnFace"},
    {SystemColor(20), "clBtnHighlight"},
    {SystemColor(16), "clBtnShadow"},
    {SystemColor(18), "clBtnText"},
    {SystemColor(9), "clCaptionText"},
    {clDefault, "clDefault"},
    {SystemColor(27), "clGradientActiveCaption"},
    {SystemColor(28), "clGradientInactiveCaption"},
    {SystemColor(17), "clGrayText"},
    {SystemColor(13), "clHighlight"},
    {SystemColor(14), "clHighlightText"},
    {SystemColor(26), "clHotLight"},
    {SystemColor(11), "clInactiveBorder"},
    {SystemColor(3), "clInactiveCaption"},
    {SystemColor(19), "clInactiveCaptionText"},
    {SystemColor(24), "clInfoBk"},
    {SystemColor(23), "clInfoText"},
    {SystemColor(4), "clMenu"},
    {SystemColor(30), "clMenuBar"},
    {SystemColor(29), "clMenuHighlight"},
    {SystemColor(7), "clMenuText"},
    {clNone, "clNone"},
    {SystemColor(0), "clScrollBar"},
    {SystemColor(21), "cl3DDkShadow"},
    {SystemColor(22), "cl3DLight"},
    {SystemColor(5), "clWindow"},
    {SystemColor(6), "clWindowFrame"},
    {SystemColor(8), "clWindowText"},
}};

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> ColorToName(TColor color) {
    for (const TIdentMapEntry& entry : ColorIdentTable) {
        if (entry.value == color) return std::string(entry.name);
    }
    return std::nullopt;
}

std::optional<TColor> NameToColor(std::string_view text) {
    for (const TIdentMapEntry& entry : ColorIdentTable) {
        if (EqualsAsciiNoCase(entry.name, text)) return entry.value;
    }
    return std::nullopt;
}

std::string ColorToText(TColor color) {
    if (auto name = ColorToName(color)) return *name;
    return Format("$%08X", static_cast<unsigned>(static_cast<uint32_t>(color)));
}

EConvertError::EConvertError(std::wstring_view text)
    : AppError(L"'" + std::wstring(text) + L"' is not a valid integer value") {}

TColor TextToColor(std::string_view text) {
    if (auto color = NameToColor(text)) return *color;
    if (auto number = ParseInteger(text)) return *number;
    throw EConvertError(WidenAscii(text));
}

TColor TextToColor(std::wstring_view text) {
    const std::string ascii = NarrowToAscii(text);
    if (WidenAscii(ascii) != text) throw EConvertError(text);
    return TextToColor(std::string_view(ascii));
}

}  // namespace core
