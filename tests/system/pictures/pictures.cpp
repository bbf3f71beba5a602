// Takes the README's pictures of the real Notes.exe, worked from outside as the system tests
// work it. For each picture it saves the whole screen as <name>.bmp in the output folder and
// adds "<name> <left> <top> <width> <height>" to crops.txt there; scripts/pictures.sh cuts
// and converts them. A picture of something this build does not have yet is skipped with a
// line saying why, so the list grows by itself as the program does.
// Usage: pictures.exe <output folder> (NOTES_EXE as for the system tests)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "about/about_ids.h"
#include "driver/driver.h"
#include "window/ids.h"

using namespace std::chrono_literals;
using namespace notes;

namespace {

using drv::SendTo;

// GBK text as RTF: every byte above 0x7F as \'hh, so the file is plain ASCII.
std::string Rtf(const std::string& gbk) {
    std::string out;
    for (const char c : gbk) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\'%02x", b);
            out += escaped;
        }
    }
    return out;
}

const std::string kNoteRtf =
    // A face this machine has, so that the font dialog finds the selection's font.
    "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 " + Rtf("文泉驿微米黑") +
    ";}"
    "{\\f1\\fswiss\\fcharset0 Arial;}}"
    "{\\colortbl ;\\red200\\green0\\blue0;\\red0\\green0\\blue160;\\red0\\green110\\blue0;}"
    "\\f0\\fs18 " +
    Rtf("\\b\\fs28 今天要做\\b0\\fs18\\par "
        "\\cf1 \\b 10:00\\b0  项目周会\\cf0\\par "
        "\\i 给妈妈打电话\\i0\\par "
        "\\strike 交电费\\strike0  \\cf3 (已完成)\\cf0\\par "
        "\\ul 周五前\\ulnone 提交报告 \\f1 Report v2\\f0\\par "
        "\\par "
        "\\cf2 Shopping:\\cf0  milk, bread, \\b apples\\b0\\par "
        "\\par "
        "网站: http://www.velnor.example/\\par }");
// Clear of the tray window Wine shows at the top left, with room for the menus.
constexpr char kPlace[] = "[FORM]\r\nLeft=300\r\nTop=120\r\nWidth=311\r\nHeight=260\r\n";

RECT Union(const RECT& a, const RECT& b) {
    RECT r;
    UnionRect(&r, &a, &b);
    return r;
}

RECT Grown(RECT r, int by) {
    InflateRect(&r, by, by);
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    return r;
}

class Pictures {
public:
    explicit Pictures(std::string out) : out_(std::move(out)), crops_(out_ + "\\crops.txt") {}

    int Run() {
        drv::MoveTo({1200, 780});
        note_.Launch();
        window_ = *note_.WaitForNoteWindow();
        editor_ = drv::ChildById(window_, IDC_REMEMO);
        // The caret after the text, where a user who just wrote it would have it.
        SendTo(editor_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
        drv::Settle(window_);

        Take("note", [&] { return drv::WindowRect(window_); });
        Take("menu", [&]() -> std::optional<RECT> {
            const drv::Menu menu = OpenEditMenu();
            const RECT r = Union(drv::WindowRect(window_), menu.rect);
            Snap("menu", r);
            drv::CloseMenu(menu);
            drv::WaitForGone(menu.hwnd);
            return std::nullopt;
        });
        Take("font", [&]() -> std::optional<RECT> {
            SendTo(editor_, EM_SETSEL, 0, 4);
            if (!drv::ChooseMenuItem(OpenEditMenu(), "字体")) return Skip("no Font item");
            const auto dialog = drv::WaitFor<HWND>(
                [&]() -> std::optional<HWND> {
                    for (HWND h : drv::FindTopLevels(note_.Pid(), "#32770")) {
                        if (drv::IsVisible(h)) return h;
                    }
                    return std::nullopt;
                },
                drv::kWaitTimeout, "the font dialog");
            if (!dialog) return Skip("the font dialog did not open");
            drv::Settle(*dialog);
            Snap("font", drv::WindowRect(*dialog));
            PostMessageA(*dialog, WM_COMMAND, IDCANCEL, 0);
            drv::WaitForGone(*dialog);
            SendTo(editor_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
            return std::nullopt;
        });
        Take("about", [&]() -> std::optional<RECT> {
            if (!drv::ChooseMenuItem(OpenEditMenu(), "关于")) return Skip("no About item");
            const auto shown = drv::WaitForShownTopLevel(note_.Pid(), kAboutWindowClassName);
            if (!shown) return Skip("the About window did not open");
            const HWND about = *shown;
            drv::Settle(about);
            Snap("about", drv::WindowRect(about));
            SendTo(drv::ChildById(about, IDC_ABOUT_BTNCLOSE), BM_CLICK);
            drv::WaitUntil([&] { return !drv::IsVisible(about); }, drv::kWaitTimeout, "");
            return std::nullopt;
        });
        Take("panels", [&]() -> std::optional<RECT> {
            if (!Panel("透明度", IDC_PNLALPHA)) return std::nullopt;
            // The second from the keyboard's menu: a right click is a press, which would
            // close the first panel again.
            drv::PressKey(VK_F10, drv::kShift);
            const auto menu = drv::WaitForPopupMenu(note_.Pid());
            if (!menu || !drv::ChooseMenuItem(*menu, "背景色")) return Skip("no keyboard menu");
            const HWND colour = drv::ChildById(window_, IDC_PNLBGCOLOR);
            if (!drv::WaitUntil([&] { return drv::IsVisible(colour); }, 1s, "")) {
                return Skip("the colour panel does not open in this build");
            }
            drv::Settle(window_);
            return drv::WindowRect(window_);
        });
        Take("colour-list", [&]() -> std::optional<RECT> {
            if (!Panel("背景色", IDC_PNLBGCOLOR)) return Skip("no colour panel");
            SendTo(drv::ChildById(window_, IDC_COLORBOX1), CB_SHOWDROPDOWN, TRUE);
            const auto list = drv::WaitFor<HWND>(
                [&]() -> std::optional<HWND> {
                    for (HWND h : drv::FindTopLevels(note_.Pid(), "ComboLBox")) {
                        if (drv::IsVisible(h)) return h;
                    }
                    return std::nullopt;
                },
                drv::kWaitTimeout, "the colour list");
            if (!list) return Skip("the colour list did not drop down");
            drv::Settle(window_);
            Snap("colour-list", Union(drv::WindowRect(window_), drv::WindowRect(*list)));
            SendTo(drv::ChildById(window_, IDC_COLORBOX1), CB_SHOWDROPDOWN, FALSE);
            return std::nullopt;
        });
        Take("tray-menu", [&]() -> std::optional<RECT> {
            const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
            const HWND icon =
                tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
            if (!icon) return Skip("no notification-area icon");
            const auto menu = drv::OpenTrayMenu(note_.Pid(), icon);
            if (!menu) return Skip("the notification-area icon opened no menu");
            drv::Settle(window_);
            Snap("tray-menu", Grown(Union(drv::WindowRect(tray), menu->rect), 6));
            drv::CloseMenu(*menu);
            drv::WaitForGone(menu->hwnd);
            return std::nullopt;
        });
        note_.Kill();
        return failed_ ? 1 : 0;
    }

private:
    drv::Menu OpenEditMenu() {
        drv::Click(drv::ClientToScreen(editor_, {200, 60}), drv::MouseButton::Right);
        return *drv::WaitForPopupMenu(note_.Pid());
    }

    // Shows a floating panel from the editor menu; nothing when this build shows none.
    std::optional<RECT> Panel(const char* item, int id) {
        if (!drv::ChooseMenuItem(OpenEditMenu(), item)) return Skip("no menu item");
        const HWND panel = drv::ChildById(window_, id);
        if (!drv::WaitUntil([&] { return drv::IsVisible(panel); }, 1s, "")) {
            return Skip("the panel does not open in this build");
        }
        drv::Settle(window_);
        return drv::WindowRect(window_);
    }

    std::optional<RECT> Skip(const std::string& why) {
        skipped_ = why;
        return std::nullopt;
    }

    // Runs one picture: `shoot` returns the part of the screen to keep (or snaps itself).
    void Take(const char* name, const std::function<std::optional<RECT>()>& shoot) {
        skipped_.clear();
        snapped_ = false;
        try {
            if (const auto r = shoot()) Snap(name, *r);
        } catch (const std::exception& e) {
            std::printf("%s: failed: %s\n", name, e.what());
            failed_ = true;
            return;
        }
        if (!snapped_) {
            std::printf("%s: skipped: %s\n", name,
                        skipped_.empty() ? "nothing to show" : skipped_.c_str());
        }
        // Whatever the picture left open goes, so the next one starts from the bare note.
        drv::PressKey(VK_ESCAPE);
        drv::Settle(window_);
    }

    void Snap(const char* name, const RECT& r) {
        const std::string path = out_ + "\\" + name + ".bmp";
        if (!drv::SaveScreenshotBmp(path)) {
            std::printf("%s: failed: cannot write %s\n", name, path.c_str());
            failed_ = true;
            return;
        }
        crops_ << name << ' ' << r.left << ' ' << r.top << ' ' << (r.right - r.left) << ' '
               << (r.bottom - r.top) << '\n';
        crops_.flush();
        snapped_ = true;
        std::printf("%s: taken\n", name);
    }

    std::string out_;
    std::ofstream crops_;
    drv::NotesProcess note_{
        drv::NotesSetup{.files = {{"Memo.rtf", kNoteRtf}, {"Setup.ini", kPlace}}}};
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
    std::string skipped_;
    bool snapped_ = false;
    bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: pictures.exe <output folder>\n");
        return 2;
    }
    try {
        return Pictures(argv[1]).Run();
    } catch (const std::exception& e) {
        std::printf("pictures: %s\n", e.what());
        return 1;
    }
}
