#include "ui/clipboard.h"

#include "ui/error.h"

namespace ui {
namespace {

class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) {
        if (!OpenClipboard(owner)) throw AppError("Cannot open clipboard");
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    ~OpenClipboardScope() { CloseClipboard(); }
};

class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    ~GlobalLockScope() {
        if (data_) GlobalUnlock(memory_);
    }
    const char* Text() const { return static_cast<const char*>(data_); }

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace

bool ClipboardHasText(HWND owner) {
    OpenClipboardScope open(owner);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return false;
    // Only the first byte tells whether the text before the first NUL is empty; a block
    // of no bytes at all holds no text.
    if (GlobalSize(data) == 0) return false;
    GlobalLockScope lock(data);
    return lock.Text() && lock.Text()[0] != '\0';
}

}  // namespace ui
