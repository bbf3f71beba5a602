// TfrmMain, the note window: a borderless, layered, topmost window with a top bar (grip and
// four small buttons), three thin border strips and the rich-text editor. It owns the units
// that do the work (note file, edit commands, font, appearance, settings, tray icon, moving,
// staying on top) and its event handlers hand each event to them; its layout is a table
// (layout.cpp).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "about/frm_about.h"
#include "core/drag.h"
#include "core/geometry.h"
#include "desktop/tray_icon.h"
#include "editor/edit_menu.h"
#include "editor/font.h"
#include "editor/note_file.h"
#include "settings/appearance.h"
#include "settings/load_settings.h"
#include "ui/controls.h"
#include "ui/font_dialog.h"
#include "ui/form.h"
#include "ui/handles.h"
#include "ui/list_controls.h"
#include "ui/menu.h"
#include "ui/rich_edit.h"
#include "window/commands.h"
#include "window/ids.h"

namespace notes {

class TfrmMain final : public ui::Form {
public:
    // Makes the window object and runs its creation event, the start-up sequence; the native
    // window exists when it returns, also when a step of the sequence failed.
    TfrmMain();
    ~TfrmMain() override;

    // The request of a second launch.
    void WMActivateInstance();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateHandle() override;
    void OnShow() override { FormShow(); }
    void OnHide() override { FormHide(); }
    void OnResize() override { FormResize(); }
    bool OnCloseQuery() override { return FormCloseQuery(); }
    void OnClose() override { FormClose(); }
    void OnCommand(UINT id) override;
    HWND DefaultFocus() const override { return REMemo.hwnd(); }

private:
    // Start-up and end. The steps of the start that the first paint of the note does not
    // need are posted, in the sequence's order, and run once it is painted.
    enum class StartStep : WPARAM { kTrayIcon, kAutoRun };
    void FormCreate();
    void PostStartStep(StartStep step);
    void WMStartStep(WPARAM step);
    bool FormCloseQuery();
    void FormClose();
    void FormShow();
    void FormHide();

    // Layout (layout.cpp).
    void MakeFonts();
    std::vector<ui::Child> Layout();
    void InitWindow();
    // The texts of the controls made so far, and with `menus` those of the menus' items.
    void SetRunTimeTexts(bool menus);
    // Makes an overlay panel, with its controls and their texts, when it is first called up.
    void CreatePanel(int id);
    void FormResize();
    core::Size LaidOutSize() const;
    // The smallest size at which the top bar still shows the grip and the four buttons.
    core::Size MinimumSize() const;

    // Moving and resizing. The three border strips, the top bar and the grip share one set
    // of mouse handlers (DragEvents); the grip resizes instead of moving.
    ui::ComponentEvents DragEvents(bool savesOnRelease);
    void spdBtnDragMouseMove(const ui::MouseArgs& e);
    void spdBtnDragClick();
    void SaveGeometry();

    // Window commands.
    void spdBtnFormTopClick();
    void spdBtnFormTopHideClick();
    void spdBtnFormHideClick();
    void spdBtnFormCloseClick();
    void NminClick();
    void NexitClick();
    void NvisitClick();
    void NaboutClick();

    // The note file.
    void LoadNote();
    void REMemoChange();

    // The edit menu and character formatting.
    void REMemoMouseDown(const ui::MouseArgs& e);
    void REMemoContextMenu(LPARAM screenPosition);
    void NundoClick();
    void NcutClick();
    void NcopyClick();
    void NpasteClick();
    void NdeleteClick();
    void NfontClick();

    // Links.
    void EnableLinkDetection(ui::RichEdit& editor);
    void REMemoLink(const NMHDR& header);

    // Settings and appearance.
    void LoadSettings();
    void TrackBar1Change();
    void ColorBox1Change();
    void NalphaClick();
    void NbgColorClick();

    // The notification-area icon and start at log-on.
    void AddTrayIcon();
    void RemoveTrayIcon();
    void WMTrayIcon(LPARAM mouseMessage);
    void NTrayResizeClick();
    void NTrayExitClick();
    void NautoRunClick();
    // At start; a click applies the option through AutoRunClicked.
    void SetAutoRun(const std::wstring& name, const std::wstring& path, bool enabled);

    // Components, in the order of the layout (later ones lie above). Image1 is made with the
    // tray icon, the two floating panels when first called up, the rest with the window.
    ui::Image Image1;                   // the tray icon's picture, never shown
    ui::RichEdit REMemo;                // the editor: the note itself
    ui::Panel Panel1;                   // the left border strip
    ui::Panel Panel2;                   // the right border strip
    ui::Panel Panel3;                   // the top bar, parent of the six small buttons
    ui::SpeedButton spdBtnDrag;         // the grip at the top left: drag it to resize
    ui::SpeedButton spdBtnFormClose;    // "X": close, after a confirmation
    ui::SpeedButton spdBtnFormHide;     // "-": hide to the notification area
    ui::SpeedButton spdBtnFormTop;      // "T" pressed: stays on top; click to leave the band
    ui::SpeedButton spdBtnFormTopHide;  // "T" plain, in the same place: click to stay on top
    ui::SpeedButton spdBtnSite;         // "e": the maker's web site
    ui::Panel pnlAlpha;                 // the floating transparency panel
    ui::Label Label1;                   // its caption "透明度"
    ui::TrackBar TrackBar1;             // its slider
    ui::Panel Panel4;                   // the bottom border strip
    ui::Panel pnlBgColor;               // the floating background-colour panel
    ui::Label Label2;                   // its caption "背景色"
    ui::ColorBox ColorBox1;             // its list of colours
    ui::PopupMenu trayMenu;             // the menu of the notification-area icon
    ui::FontDialog FontDialog1;         // the Font command's dialog and the font it remembers
    ui::PopupMenu editMenu;             // the editor's context menu
    TfrmAbout frmAbout;                 // the About window, made at its first showing

    // The notification-area icon's picture, which Image1 holds; and the fonts of the layout.
    // Made before the components.
    ui::Icon trayPicture_;
    core::Scale scale_;
    ui::Font formFont_;
    ui::Font buttonFont_;
    ui::Font siteFont_;
    ui::Font labelFont_;

    // The units that do the work.
    NoteFile noteFile_{REMemo};
    EditCommands editCommands_{REMemo, editMenu, {CmdUndo, CmdCut, CmdCopy, CmdPaste, CmdDelete}};
    FontCommand fontCommand_{REMemo, FontDialog1};
    Appearance appearance_{{*this,
                            REMemo,
                            {&Panel1, &Panel2, &Panel3, &Panel4},
                            pnlAlpha,
                            TrackBar1,
                            pnlBgColor,
                            ColorBox1}};
    StartSettings settings_{editMenu, CmdAutoRun, TrackBar1, appearance_};
    TrayIcon trayIcon_{*this, trayMenu, CmdTrayResize, WM_TRAYICON};
    StayOnTop stayOnTop_{*this, spdBtnFormTop, spdBtnFormTopHide};
    core::Drag drag_;  // the note's drag state, shared by the strips, the top bar and the grip

    // False until the note file has been loaded: only then does a change of the editor
    // rewrite it, so a note that failed to load is never replaced. Named as the design
    // names this state, like the controls, rather than in the members' own style.
    bool NoteLoaded = false;
};

}  // namespace notes
