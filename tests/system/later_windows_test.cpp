// What a start leaves for later: each floating panel is made with its controls when it is
// first called up, where the layout puts it (above the editor and the strip it overlaps),
// and the same windows serve every later call.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "driver/driver.h"
#include "panels.h"
#include "window/ids.h"

namespace {

using namespace notes;

struct PanelCase {
    const char* name;
    int panel;
    int label;
    int control;       // the slider or the list of colours
    const char* text;  // the label's
    int otherPanel;    // not made by this call
};

std::ostream& operator<<(std::ostream& out, const PanelCase& c) {
    return out << c.name;
}

class LaterPanel : public ::testing::TestWithParam<PanelCase> {
protected:
    void SetUp() override {
        note_.Launch();
        window_ = *note_.WaitForNoteWindow();
        ASSERT_TRUE(drv::Settle(window_));
    }
    HWND Child(int id) const { return drv::ChildById(window_, id); }

    drv::NotesProcess note_;
    HWND window_ = nullptr;
};

TEST_P(LaterPanel, IsMadeWhenFirstCalledUpAndThenKept) {
    const PanelCase& c = GetParam();
    for (const int id : {c.panel, c.label, c.control, c.otherPanel}) {
        EXPECT_EQ(Child(id), nullptr) << "control " << id << " made at start";
    }
    // The editor and the top bar's buttons are there from the start.
    EXPECT_NE(Child(IDC_REMEMO), nullptr);
    EXPECT_NE(Child(IDC_SPDBTNFORMCLOSE), nullptr);

    ASSERT_TRUE(panels::CallUp(window_, {c.panel}));
    const HWND panel = Child(c.panel);
    EXPECT_EQ(GetParent(Child(c.label)), panel);
    EXPECT_EQ(GetParent(Child(c.control)), panel);
    EXPECT_EQ(drv::WindowText(Child(c.label)), c.text);
    EXPECT_EQ(Child(c.otherPanel), nullptr) << "the other panel is made only when called up";
    // Above the editor: the panel's middle is the panel's, or a control on it.
    const HWND hit = WindowFromPoint(drv::Center(panel));
    EXPECT_TRUE(hit == panel || GetParent(hit) == panel) << "the panel lies under another window";

    ShowWindow(panel, SW_HIDE);
    ASSERT_TRUE(drv::Settle(window_));
    ASSERT_TRUE(panels::CallUp(window_, {c.panel}));
    EXPECT_EQ(Child(c.panel), panel) << "a second call made another panel";
}

INSTANTIATE_TEST_SUITE_P(Panels, LaterPanel,
                         ::testing::Values(PanelCase{"Transparency", IDC_PNLALPHA, IDC_LABEL1,
                                                     IDC_TRACKBAR1, "透明度", IDC_PNLBGCOLOR},
                                           PanelCase{"Colour", IDC_PNLBGCOLOR, IDC_LABEL2,
                                                     IDC_COLORBOX1, "背景色", IDC_PNLALPHA}),
                         [](const ::testing::TestParamInfo<PanelCase>& test) {
                             return std::string(test.param.name);
                         });

}  // namespace
