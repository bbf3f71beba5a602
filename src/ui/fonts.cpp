#include "ui/fonts.h"

#include <cwchar>

#include "ui/error.h"
#include "ui/text.h"

namespace ui {

int ScreenDpi() {
    WindowDC dc(nullptr);
    return GetDeviceCaps(dc.get(), LOGPIXELSY);
}

Font MakeFont(const FontLook& look) {
    Font font(CreateFontW(look.height, 0, 0, 0, look.bold ? FW_BOLD : FW_NORMAL, look.italic, FALSE,
                          FALSE, look.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                          FromGbk(look.face).c_str()));
    if (!font) ThrowLastError("CreateFontW");
    return font;
}

FontLook WindowFontAt(int dpi) {
    return {.height = core::MulDiv(FontLook{}.height, dpi, 96)};
}

core::Scale LayoutScaleOf(HFONT windowFont) {
    return core::LayoutScale(TextExtent(windowFont, L"0").cy);
}

SIZE TextExtent(HFONT font, std::wstring_view text) {
    WindowDC dc(nullptr);
    SelectGuard select(dc.get(), font);
    SIZE size = {};
    GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

std::wstring FaceName(const wchar_t (&field)[LF_FACESIZE]) {
    return std::wstring(field, wcsnlen(field, LF_FACESIZE));
}

}  // namespace ui
