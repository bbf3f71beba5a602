// TfrmMain, the note window: a borderless, layered, topmost window with a top bar (grip
// and four small buttons), three thin border strips and the rich-text editor. Its methods
// live in the subsystem folders: app/ (start-up), window/ (layout, moving, commands),
// editor/ (note file, edit menu, links), settings/ (settings file, appearance) and
// desktop/ (tray icon, start at log-on).
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "core/color.h"
#include "core/geometry.h"
#include "editor/note_file.h"
#include "ui/controls.h"
#include "ui/font_dialog.h"
#include "ui/handles.h"
#include "ui/list_controls.h"
#include "ui/menu.h"
#include "ui/rich_edit.h"
#include "ui/window.h"

class TfrmMain final : public ui::Window {
public:
    // Allocates the window object and runs its creation event, the start-up sequence.
    TfrmMain();
    ~TfrmMain() override;

    // The native window, created on first use (as the tray icon's set-up asks for it).
    HWND Handle();

    // Geometry in screen pixels. Each assignment moves or sizes the window at once.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);

    enum class WindowState { Normal, Minimized, Maximized };
    // Shows the window as the process was started (maximised, minimised or normal).
    void ShowOnStart(int showCommand);
    void Show();
    void Hide();

    // Handlers reached from outside the window's own messages.
    void WMActivateInstance();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Start-up and shutdown (app/).
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void Close();

    // Layout (window/).
    void CreateNativeWindow();
    void CreateComponents();
    void MakeFonts();
    void InitWindow();
    void AlignControls();
    void FormResize();
    // The smallest size at which the top bar still shows the grip and the four buttons.
    core::Size MinimumSize() const;
    void SetWindowState(WindowState state);
    void RestoreFocus();

    // Moving and resizing (window/drag.cpp).
    void Panel1MouseDown(const ui::MouseArgs& e);
    void Panel2MouseDown(const ui::MouseArgs& e);
    void Panel3MouseDown(const ui::MouseArgs& e);
    void Panel4MouseDown(const ui::MouseArgs& e);
    void spdBtnDragMouseDown(const ui::MouseArgs& e);
    void Panel1MouseMove(const ui::MouseArgs& e);
    void Panel2MouseMove(const ui::MouseArgs& e);
    void Panel3MouseMove(const ui::MouseArgs& e);
    void Panel4MouseMove(const ui::MouseArgs& e);
    void spdBtnDragMouseMove(const ui::MouseArgs& e);
    void Panel1MouseUp(const ui::MouseArgs& e);
    void Panel2MouseUp(const ui::MouseArgs& e);
    void Panel3MouseUp(const ui::MouseArgs& e);
    void Panel4MouseUp(const ui::MouseArgs& e);
    void spdBtnDragMouseUp(const ui::MouseArgs& e);
    void spdBtnDragClick();
    void SaveGeometry();
    void StartDrag(const ui::MouseArgs& e);
    void EndDrag();
    void MoveWithPointer(const ui::MouseArgs& e);

    // Window commands (window/commands.cpp).
    void spdBtnFormTopClick();
    void spdBtnFormTopHideClick();
    void spdBtnFormHideClick();
    void spdBtnFormHideMouseDown(const ui::MouseArgs& e);
    void spdBtnFormCloseClick();
    void spdBtnFormCloseMouseDown(const ui::MouseArgs& e);
    void NminClick();
    void NexitClick();
    void NvisitClick();
    void NaboutClick();

    // The note file (editor/note_file.cpp).
    void LoadNote();
    void REMemoChange();

    // Edit menu and formatting (editor/edit_menu.cpp, editor/font.cpp).
    LRESULT REMemoMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void REMemoMouseDown(const ui::MouseArgs& e);
    void ShowEditMenu(LPARAM screenPosition);
    void NundoClick();
    void NcutClick();
    void NcopyClick();
    void NpasteClick();
    void NdeleteClick();
    void NfontClick();

    // Links (editor/links.cpp).
    void EnableLinkDetection(ui::RichEdit& editor);
    void OnLinkNotification(const NMHDR& header);

    // Settings and appearance (settings/).
    void LoadSettings();
    void TrackBar1Change();
    void ColorBox1Change();
    void NalphaClick();
    void NbgColorClick();
    void SetMemoColor(core::TColor color);
    void SetAlphaBlendValue(int value);
    void ApplyAlphaBlend();

    // Desktop integration (desktop/).
    void AddTrayIcon();
    void RemoveTrayIcon();
    void WMTrayIcon(LPARAM mouseMessage);
    void OnTaskbarCreated();
    void NTrayResizeClick();
    void NTrayExitClick();
    void FormShow();
    void FormHide();
    void NautoRunClick();
    void SetAutoRun(const std::string& name, const std::string& path, bool enabled);

    void OnCommand(UINT id, UINT code, HWND control);
    void DispatchMenuCommand(UINT id);
    LRESULT OnNotify(const NMHDR& header);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnMeasureItem(MEASUREITEMSTRUCT& item);

    // Components, in the order in which they are created.
    ui::Control Image1;
    ui::RichEdit REMemo;
    ui::Panel Panel1;
    ui::Panel Panel2;
    ui::Panel Panel3;
    ui::SpeedButton spdBtnDrag;
    ui::SpeedButton spdBtnFormClose;
    ui::SpeedButton spdBtnFormHide;
    ui::SpeedButton spdBtnFormTop;
    ui::SpeedButton spdBtnFormTopHide;
    ui::SpeedButton spdBtnSite;
    ui::Panel pnlAlpha;
    ui::Label Label1;
    ui::TrackBar TrackBar1;
    ui::Panel Panel4;
    ui::Panel pnlBgColor;
    ui::Label Label2;
    ui::ColorBox ColorBox1;
    ui::PopupMenu trayMenu;
    ui::FontDialog FontDialog1;
    ui::PopupMenu editMenu;

    notes::NoteFile noteFile_{REMemo};

    // Unit-level state of the window.
    bool NoteLoaded = false;
    bool Dragging = false;
    int DragStartX = 0;
    int DragStartY = 0;
    NOTIFYICONDATAA TrayIconData = {};

    core::Scale scale_;
    bool memoFills_ = false;  // REMemo fills the client area once InitWindow aligned it
    WindowState windowState_ = WindowState::Normal;
    core::TColor memoColor_ = core::clYellow;  // the editor's Color
    int alphaBlendValue_ = 255;
    UINT taskbarCreatedMessage_ = 0;
    bool trayIconAdded_ = false;  // from start-up until the close removes the icon
    HWND lastFocus_ = nullptr;
    ui::Icon trayIcon_;
    ui::Font formFont_;
    ui::Font buttonFont_;
    ui::Font siteFont_;
    ui::Font labelFont_;
};

// The note window, set as soon as its object is allocated, before its creation event runs.
extern TfrmMain* frmMain;
