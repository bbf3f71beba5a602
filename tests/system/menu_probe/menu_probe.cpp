// Loaded into the program under test by a hook of the driver (see probe_protocol.h). It
// answers the driver's registered message with what only the owning process can read.
#include <windows.h>

#include <richedit.h>

#include <memory>

#include "menu_probe/probe_protocol.h"
#include "ui/handles.h"

namespace {

// MN_GETHMENU is missing from MinGW's headers.
constexpr UINT kGetMenuHandle = 0x01E1;

void ReadMenu(HWND menuWindow, probe::Block& block) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, kGetMenuHandle, 0, 0));
    const int count = menu ? GetMenuItemCount(menu) : -1;
    if (count < 0) return;
    block.itemCount = 0;
    for (int i = 0; i < count && i < probe::kMaxItems; ++i) {
        probe::ItemRecord& record = block.items[i];
        record = {};
        // Read as UTF-16 and handed on as GBK, whatever the program's code page.
        wchar_t text[probe::kMaxText] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = probe::kMaxText - 1;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) return;
        WideCharToMultiByte(936, 0, text, -1, record.text, sizeof record.text - 1, nullptr,
                            nullptr);
        record.id = info.wID;
        record.type = info.fType;
        record.state = info.fState;
        record.hasSubmenu = info.hSubMenu != nullptr;
        GetMenuItemRect(menuWindow, menu, static_cast<UINT>(i), &record.rect);
        block.itemCount = i + 1;
    }
    block.ok = TRUE;
}

// The standard icons are shared resources: within one process every LoadIcon of one
// gives the same handle, so the icon a message box shows can be told by its handle.
void IdentifyIcon(HWND box, probe::Block& block) {
    block.icon = probe::kNoIcon;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0 ||
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            continue;
        }
        const HICON shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (!shown) continue;
        const struct {
            LPCSTR id;
            probe::Icon icon;
        } kStandard[] = {{IDI_HAND, probe::kError},
                         {IDI_QUESTION, probe::kQuestion},
                         {IDI_EXCLAMATION, probe::kWarning},
                         {IDI_ASTERISK, probe::kInformation}};
        block.icon = probe::kOtherIcon;
        for (const auto& standard : kStandard) {
            if (LoadIconA(nullptr, standard.id) == shown) block.icon = standard.icon;
        }
        break;
    }
    block.ok = TRUE;
}

// Links and other formatting exist only inside the rich edit (they are not saved), so
// the range is selected, read and the user's selection put back. Selecting changes no text.
void ReadCharFormat(HWND editor, probe::Block& block) {
    CHARRANGE saved = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    CHARRANGE range = {block.rangeMin, block.rangeMax};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    block.formatMask = format.dwMask;
    block.formatEffects = format.dwEffects;
    block.ok = TRUE;
}

// The cursor the thread has set, told apart like the icons: the standard cursors are shared.
void IdentifyCursor(probe::Block& block) {
    const HCURSOR shown = GetCursor();
    block.cursor = shown ? probe::kOtherCursor : probe::kNoCursor;
    const struct {
        LPCSTR id;
        probe::Cursor cursor;
    } kStandard[] = {
        {IDC_ARROW, probe::kArrow}, {IDC_SIZEALL, probe::kSizeAll}, {IDC_IBEAM, probe::kIBeam}};
    for (const auto& standard : kStandard) {
        if (shown && LoadCursorA(nullptr, standard.id) == shown) block.cursor = standard.cursor;
    }
    block.ok = TRUE;
}

struct Unmap {
    void operator()(probe::Block* block) const { UnmapViewOfFile(block); }
};

void Answer(HWND target) {
    char name[64];
    probe::BlockName(GetCurrentProcessId(), name);
    ui::Handle mapping(OpenFileMappingA(FILE_MAP_WRITE | FILE_MAP_READ, FALSE, name));
    if (!mapping) return;
    std::unique_ptr<probe::Block, Unmap> block(static_cast<probe::Block*>(
        MapViewOfFile(mapping.get(), FILE_MAP_WRITE | FILE_MAP_READ, 0, 0, sizeof(probe::Block))));
    if (!block) return;
    block->ok = FALSE;
    switch (block->query) {
    case probe::kReadMenu: ReadMenu(target, *block); break;
    case probe::kIdentifyIcon: IdentifyIcon(target, *block); break;
    case probe::kCharFormat: ReadCharFormat(target, *block); break;
    case probe::kIdentifyCursor: IdentifyCursor(*block); break;
    case probe::kQueueStatus:
        block->queueStatus = GetQueueStatus(QS_ALLINPUT);
        block->ok = TRUE;
        break;
    }
    // Last: the driver takes the answer as complete once it sees its own number here.
    InterlockedExchange(&block->answered, block->request);
}

UINT RequestMessage() {
    static const UINT message = RegisterWindowMessageA(probe::kRequestMessage);
    return message;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (message->message == RequestMessage()) Answer(message->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == RequestMessage()) {
        Answer(message->hwnd);
        message->message = WM_NULL;  // the program never sees it
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
