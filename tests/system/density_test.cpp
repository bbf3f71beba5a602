// The note's layout at the screen's density. The window font is "MS Sans Serif" of 11
// pixels at 96 dpi, grown with the density; when its text is then not 13 pixels high, every
// place and size grows or shrinks by (text height / 13), edges rounded, so that children that
// touch keep touching. At 96 dpi that is the laid-out layout itself; the density runner
// (tests/density/run.sh) runs these tests again in prefixes set to 120 and 144 dpi.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "about/about_ids.h"
#include "driver/driver.h"
#include "panels.h"
#include "top_bar.h"
#include "window/ids.h"

using namespace notes;

namespace {

struct Scaled {
    int textHeight = 13;
    int operator()(int value) const { return MulDiv(value, textHeight, 13); }
    // Edges are scaled, not sizes.
    RECT operator()(int left, int top, int width, int height) const {
        return {(*this)(left), (*this)(top), (*this)(left + width), (*this)(top + height)};
    }
};

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The text height of the window font at this density, measured the way a layout that is
// drawn with that font sees it.
int WindowFontTextHeight(int dpi) {
    HFONT font = CreateFontA(-MulDiv(11, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return metrics.tmHeight;
}

std::string Show(const RECT& r) {
    return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + "}";
}

struct Place {
    const char* name;
    int id;
    int parent;                    // 0: the note window
    int left, top, width, height;  // as laid out
};

class Density : public ::testing::Test {
protected:
    void SetUp() override {
        // Places in physical pixels, as the system-aware note sees its own.
        SetProcessDPIAware();
        dpi_ = ScreenDpi();
        if (const char* expected = std::getenv("NOTES_EXPECTED_DPI")) {
            ASSERT_EQ(dpi_, std::atoi(expected)) << "the prefix's LogPixels did not take";
        }
        s_.textHeight = WindowFontTextHeight(dpi_);
        note_.Launch();
        window_ = *note_.WaitForNoteWindow();
    }
    HWND Child(int id) const { return drv::ChildById(window_, id); }
    // The floating panels are made when first called up: called up and put away again.
    void MakePanels() const {
        ASSERT_TRUE(panels::CallUp(window_));
        for (const int id : {IDC_PNLALPHA, IDC_PNLBGCOLOR}) ShowWindow(Child(id), SW_HIDE);
        ASSERT_TRUE(drv::Settle(window_));
    }
    RECT In(int id, int parent) const {
        return drv::ChildRect(Child(id), parent ? Child(parent) : window_);
    }
    // A picture for a person to look at, when the runner asks for one.
    void Shoot(const char* what) const {
        const char* dir = std::getenv("NOTES_SHOTS_DIR");
        if (!dir) return;
        const std::string path =
            std::string(dir) + "\\density-" + std::to_string(dpi_) + "-" + what + ".bmp";
        EXPECT_TRUE(drv::SaveScreenshotBmp(path)) << path;
    }

    int dpi_ = 96;
    Scaled s_;
    drv::NotesProcess note_;
    HWND window_ = nullptr;
};

TEST_F(Density, EveryPlaceIsTheLaidOutOneTimesTheFontsScale) {
    MakePanels();
    RecordProperty("dpi", dpi_);
    RecordProperty("textHeight", s_.textHeight);
    const RECT client = drv::ClientRect(window_);
    EXPECT_EQ(drv::Width(client), s_(311));
    EXPECT_EQ(drv::Height(client), s_(303));

    // At the laid-out size the aligned strips and the editor fall on the scaled edges, and
    // the buttons at the right edge keep their scaled distance from it.
    const Place places[] = {
        {"top bar", IDC_PANEL3, 0, 0, 0, 311, 17},
        {"bottom strip", IDC_PANEL4, 0, 0, 300, 311, 3},
        {"left strip", IDC_PANEL1, 0, 0, 17, 3, 283},
        {"right strip", IDC_PANEL2, 0, 308, 17, 3, 283},
        {"editor", IDC_REMEMO, 0, 3, 17, 305, 283},
        {"grip", IDC_SPDBTNDRAG, IDC_PANEL3, 3, 3, 10, 10},
        {"e", IDC_SPDBTNSITE, IDC_PANEL3, 255, 3, 10, 10},
        {"T", IDC_SPDBTNFORMTOP, IDC_PANEL3, 272, 3, 10, 10},
        {"-", IDC_SPDBTNFORMHIDE, IDC_PANEL3, 283, 3, 10, 10},
        {"X", IDC_SPDBTNFORMCLOSE, IDC_PANEL3, 294, 3, 10, 10},
        {"transparency panel", IDC_PNLALPHA, 0, 32, 97, 265, 28},
        {"its label", IDC_LABEL1, IDC_PNLALPHA, 19, 5, 45, 17},
        {"its slider", IDC_TRACKBAR1, IDC_PNLALPHA, 64, 2, 193, 23},
        {"colour panel", IDC_PNLBGCOLOR, 0, 43, 98, 233, 28},
        {"its label", IDC_LABEL2, IDC_PNLBGCOLOR, 16, 5, 45, 17},
    };
    for (const Place& p : places) {
        const RECT expected = s_(p.left, p.top, p.width, p.height);
        const RECT actual = In(p.id, p.parent);
        EXPECT_TRUE(EqualRect(&actual, &expected))
            << p.name << ": " << Show(actual) << ", expected " << Show(expected);
    }
    // A drop-down list takes its height from its items; its place and width still scale.
    const RECT colours = In(IDC_COLORBOX1, IDC_PNLBGCOLOR);
    EXPECT_EQ(colours.left, s_(71));
    EXPECT_EQ(colours.top, s_(3));
    EXPECT_EQ(colours.right, s_(71 + 145));

    const std::string text = "便签 Notes " + std::to_string(dpi_) + " dpi";
    DWORD_PTR result = 0;
    SendMessageTimeoutA(Child(IDC_REMEMO), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_NORMAL, 5000, &result);
    ASSERT_TRUE(drv::Settle(window_));
    Shoot("note");

    // Each floating panel, shown from outside for the picture and hidden again.
    for (const auto& [id, name] :
         {std::pair{IDC_PNLALPHA, "transparency"}, std::pair{IDC_PNLBGCOLOR, "colour"}}) {
        ShowWindow(Child(id), SW_SHOWNA);
        ASSERT_TRUE(drv::Settle(window_));
        Shoot(name);
        ShowWindow(Child(id), SW_HIDE);
    }
}

// The panels' labels grow with their font: "透明度" and "背景色" are not cut off at the right.
TEST_F(Density, ThePanelLabelsHoldTheirTexts) {
    MakePanels();
    HFONT font = CreateFontA(s_(-15), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, "华文仿宋");
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    for (const auto& [id, text] :
         {std::pair{IDC_LABEL1, "透明度"}, std::pair{IDC_LABEL2, "背景色"}}) {
        EXPECT_EQ(drv::WindowText(Child(id)), text);
        SIZE size = {};
        GetTextExtentPoint32A(screen, text, static_cast<int>(std::strlen(text)), &size);
        const RECT r = drv::ClientRect(Child(id));
        EXPECT_LE(size.cx, drv::Width(r)) << text;
    }
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
}

TEST_F(Density, NarrowedTheButtonsKeepTheirScaledDistanceFromTheRightEdge) {
    const int width = s_(200);
    const RECT place = drv::WindowRect(window_);
    ASSERT_TRUE(SetWindowPos(window_, nullptr, place.left, place.top, width,
                             place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(drv::Settle(window_));
    ASSERT_EQ(drv::Width(drv::ClientRect(window_)), width);
    top_bar::ExpectAtTheRightEdge(window_, width, [&](int v) { return s_(v); });
    EXPECT_EQ(In(IDC_SPDBTNDRAG, IDC_PANEL3).left, s_(3));
    const RECT editor = In(IDC_REMEMO, 0);
    EXPECT_EQ(editor.right, width - (s_(311) - s_(308)));
    Shoot("narrow");
}

// The hidden picture that carries the notification-area icon's image sizes itself to that
// image, which is at the size the system draws small icons at on this screen.
TEST_F(Density, TheTrayPictureIsAtTheSystemsSmallIconSize) {
    const RECT picture = drv::ClientRect(Child(IDC_IMAGE1));
    EXPECT_EQ(drv::Width(picture), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(drv::Height(picture), GetSystemMetrics(SM_CYSMICON));
    EXPECT_FALSE(drv::IsVisible(Child(IDC_IMAGE1)));
}

// The About window grows with the density too: every text and the button stay inside it.
TEST_F(Density, TheAboutWindowHoldsAllItsFields) {
    drv::Click(drv::Center(Child(IDC_REMEMO)), drv::MouseButton::Right);
    ASSERT_TRUE(drv::ChooseMenuItem(*drv::WaitForPopupMenu(note_.Pid()), "关于"));
    const HWND about = *drv::WaitForShownTopLevel(note_.Pid(), kAboutWindowClassName);
    ASSERT_TRUE(drv::Settle(about));
    const RECT client = drv::ClientRect(about);
    int fields = 0;
    for (HWND child : drv::Children(about)) {
        if (!drv::IsVisible(child)) continue;
        ++fields;
        const RECT r = drv::ChildRect(child, about);
        RECT inside;
        IntersectRect(&inside, &r, &client);
        EXPECT_TRUE(EqualRect(&inside, &r))
            << drv::ClassName(child) << " \"" << drv::WindowText(child) << "\" at " << Show(r)
            << " is cut by the window " << Show(client);
    }
    EXPECT_GE(fields, 8);
    Shoot("about");
    SendMessageA(drv::ChildById(about, IDC_ABOUT_BTNCLOSE), BM_CLICK, 0, 0);
}

}  // namespace
