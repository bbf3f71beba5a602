#include "driver/clipboard.h"

#include <cstring>

#include "driver/owners.h"
#include "driver/wait.h"

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
    Session session;
    if (!session.Open() || !::EmptyClipboard()) return false;
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, gbk.size() + 1));
    if (!memory) return false;
    auto* bytes = static_cast<char*>(GlobalLock(memory.get()));
    std::memcpy(bytes, gbk.data(), gbk.size());
    bytes[gbk.size()] = '\0';
    GlobalUnlock(memory.get());
    if (!SetClipboardData(CF_TEXT, memory.get())) return false;
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
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) return std::nullopt;
    std::string text(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
    return text;
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
