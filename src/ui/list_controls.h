// The slider (trackbar) and the owner-drawn colour chooser.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "core/color.h"
#include "core/color_list.h"
#include "ui/component.h"
#include "ui/handles.h"
#include "ui/subclass.h"

namespace ui {

// A horizontal trackbar without tick marks whose position the program also assigns, also
// before its window is made. Assigning clamps into its range and raises onChange only when
// the position really changes; every scroll notification from the user re-reads the position
// and raises onChange.
class TrackBar : public SubclassedControl, public Component {
public:
    // The range and the position come with the form, the window with its panel.
    void Prepare(const LayoutRow& row) override;
    // Loads the common-controls library from the system folder (kept for the control's life),
    // which registers the trackbar class, and makes the control.
    void Create(HWND parent, const LayoutRow& row) override;
    HWND hwnd() const override { return hwnd_; }
    LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;
    int Position() const { return position_; }
    void SetPosition(int position);

private:
    LRESULT OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    Library library_;
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    bool tracking_ = false;  // the left button went down on it and is not up yet
};

// A drop-down list of colours drawn by us: a swatch and the colour's identifier per entry,
// `dropDownCount` entries shown at a time. Only the user's changes of the selection raise
// onChange; SetSelected does not.
class ColorBox : public SubclassedControl, public Component {
public:
    void Create(HWND parent, const LayoutRow& row) override;
    HWND hwnd() const override { return hwnd_; }
    LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Sets the font and keeps the entries and the field at the item height.
    void SetFont(HFONT font) const;

    // Builds the list once (later calls do nothing).
    void Populate(std::vector<core::TIdentMapEntry> entries);
    bool Populated() const { return !entries_.empty(); }
    // The colour of the selected entry; selecting a colour without an entry clears the field.
    bool HasSelection() const;
    core::TColor Selected() const;
    void SetSelected(core::TColor color);

    void DrawItem(const DRAWITEMSTRUCT& item) const;
    // Incremental search: letters typed within half a second of each other select the first
    // entry that starts with them. Returns true when the key was taken.
    bool OnChar(wchar_t c, DWORD time);

private:
    LRESULT OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void KeepItemHeight() const;
    std::vector<core::TIdentMapEntry> entries_;
    int itemHeight_ = 16;
    core::IncrementalSearch search_;
};

}  // namespace ui
