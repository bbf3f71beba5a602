// The slider (trackbar) and the owner-drawn colour chooser.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "core/color.h"
#include "core/color_list.h"
#include "ui/window.h"

namespace ui {

// A horizontal trackbar whose position the program also assigns. Assigning clamps into
// Min..Max and runs onChange only when the position really changes; every scroll
// notification from the user re-reads the position and runs onChange.
class TrackBar : public Control {
public:
    struct Options {
        int min = 0;
        int max = 10;
        int position = 0;
        int lineSize = 1;
        int pageSize = 2;
    };
    void Create(HWND parent, int id, const core::Rect& bounds, const Options& options);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetPosition(int position);
    void OnScroll();

    std::function<void()> onChange;

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    bool tracking_ = false;  // the left button went down on it and is not up yet
};

// A drop-down list of colours drawn by us: a swatch and the colour's identifier per entry.
// Only the user's changes of the selection run onChange; SetSelected does not.
class ColorBox : public Control {
public:
    void Create(HWND parent, int id, const core::Rect& bounds, int itemHeight, int dropDownCount);
    int ItemHeight() const { return itemHeight_; }
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
    bool OnChar(char c, DWORD time);

    std::function<void()> onChange;

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void KeepItemHeight() const;
    std::vector<core::TIdentMapEntry> entries_;
    int itemHeight_ = 16;
    core::IncrementalSearch search_;
};

}  // namespace ui
