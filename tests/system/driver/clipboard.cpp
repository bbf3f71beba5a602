#include "driver/clipboard.h"

#include <cstring>
#include <cwchar>

#include "driver/owners.h"
#include "driver/wait.h"
#include "driver/wide.h"

namespace drv {
namespace {

// An invisible message-only window: EmptyClipboard makes the opener's window the owner,
// and SetClipboardData needs an owner.
OwnWindow CreateHelperWindow() {
    return OwnWindow(CreateWindowExA(0, "STATIC", "drv clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, GetModuleHandleA(nullptr), nullptr));
}

// Others (Wine's clipboard manager, the program under test) open it briefly too.
bool OpenWithRetry(HWND owner) {
    return static_cast<bool>(WaitUntil([owner] { return OpenClipboard(owner) != FALSE; },
                                       kWaitTimeout, "the clipboard to open"));
}

// The clipboard open for one operation, closed again at the end of the scope.
class Session {
public:
    Session() : window_(CreateHelperWindow()), open_(window_ && OpenWithRetry(window_.get())) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() {
        if (open_) CloseClipboard();
    }
    bool Open() const { return open_; }

private:
    OwnWindow window_;
    bool open_;
};

}  // namespace

bool SetClipboardText(std::string_view gbk) {
    // As UTF-16, which the system offers in every other text form too, so the text is the
    // same whatever code page the test or the program runs with.
    const std::wstring text = FromGbk(gbk);
    Session session;
    if (!session.Open() || !::EmptyClipboard()) return false;
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    if (!memory) return false;
    auto* units = static_cast<wchar_t*>(GlobalLock(memory.get()));
    std::wmemcpy(units, text.data(), text.size());
    units[text.size()] = L'\0';
    GlobalUnlock(memory.get());
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

bool SetClipboardBitmapOnly(int width, int height, COLORREF color) {
    Bitmap bitmap;
    {
        ui::WindowDC screen(nullptr);
        bitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
        MemoryDC memory(screen.get());
        if (!bitmap || !memory.get()) return false;
        ui::SelectGuard select(memory.get(), bitmap.get());
        ui::Brush brush(CreateSolidBrush(color));
        const RECT all = {0, 0, width, height};
        FillRect(memory.get(), &all, brush.get());
    }
    Session session;
    if (!session.Open() || !::EmptyClipboard()) return false;
    if (!SetClipboardData(CF_BITMAP, static_cast<HBITMAP>(bitmap.get()))) return false;
    bitmap.release();  // the clipboard owns it now
    return true;
}

bool EmptyClipboard() {
    Session session;
    return session.Open() && ::EmptyClipboard();
}

std::optional<std::string> ClipboardText() {
    Session session;
    if (!session.Open()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const auto* units = static_cast<const wchar_t*>(GlobalLock(data));
    if (!units) return std::nullopt;
    const std::wstring text(units, wcsnlen(units, GlobalSize(data) / sizeof(wchar_t)));
    GlobalUnlock(data);
    return ToGbk(text);
}

bool ClipboardHasFormat(UINT format) {
    return IsClipboardFormatAvailable(format) != FALSE;
}

ClipboardHolder::ClipboardHolder() : window_(CreateHelperWindow()) {
    held_ = window_ && OpenWithRetry(window_.get());
}

ClipboardHolder::~ClipboardHolder() {
    Release();
}

void ClipboardHolder::Release() {
    if (held_) CloseClipboard();
    held_ = false;
}

}  // namespace drv
