// The clipboard as another program would use it: put text or only a picture on it, empty
// it, read it, or keep it open so that the program under test cannot open it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "driver/owners.h"

namespace drv {

bool SetClipboardText(std::string_view gbk);  // as CF_UNICODETEXT
// A bitmap and no text, so that the program finds nothing it can paste as text.
bool SetClipboardBitmapOnly(int width = 8, int height = 8, COLORREF color = RGB(255, 0, 0));
bool EmptyClipboard();
std::optional<std::string> ClipboardText();  // CF_UNICODETEXT as GBK, if there is any
bool ClipboardHasFormat(UINT format);

// Keeps the clipboard open from the test process, with a window of its own as another
// program holding it would; the program under test then fails to open it.
class ClipboardHolder {
public:
    ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    ~ClipboardHolder();

    bool Held() const { return held_; }
    void Release();

private:
    OwnWindow window_;
    bool held_ = false;
};

}  // namespace drv
