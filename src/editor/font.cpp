// The Font command: the system font dialog over the selection's colour, style, size and
// face name, applied to the whole selection on OK.
#include "editor/font.h"

#include <richedit.h>

#include "editor/char_format.h"

namespace notes {
namespace {

// One read of the selection: the control reports its first character.
CHARFORMATW ReadSelection(const ui::RichEdit& editor) {
    CHARFORMATW format = {};
    format.cbSize = sizeof format;
    editor.Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

void WriteSelection(const ui::RichEdit& editor, CHARFORMATW format) {
    editor.Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

// Narrows a longer selection to its first character for the life of the scope, then puts
// the selection and the view back. Not every rich-edit control reports the first
// character for a longer selection: Wine's gives the style of the last run.
class FirstCharacterSelected {
public:
    explicit FirstCharacterSelected(const ui::RichEdit& editor)
        : editor_(editor), selection_(editor.Selection()) {
        if (selection_.cpMax - selection_.cpMin <= 1) return;
        narrowed_ = true;
        // Controls of the first version know no scroll position; they also keep the view.
        scrolled_ = editor_.Send(EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_)) != 0;
        editor_.SetSelection({selection_.cpMin, selection_.cpMin + 1});
    }
    FirstCharacterSelected(const FirstCharacterSelected&) = delete;
    FirstCharacterSelected& operator=(const FirstCharacterSelected&) = delete;
    ~FirstCharacterSelected() {
        if (!narrowed_) return;
        editor_.SetSelection(selection_);
        if (scrolled_) editor_.Send(EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
    }

private:
    const ui::RichEdit& editor_;
    CHARRANGE selection_;
    bool narrowed_ = false;
    bool scrolled_ = false;
    POINT scroll_ = {};
};

// Holds back the editor's change notifications for the life of the scope.
class ChangeNotificationsHeld {
public:
    explicit ChangeNotificationsHeld(const ui::RichEdit& editor)
        : editor_(editor), mask_(editor.Send(EM_GETEVENTMASK)) {
        editor_.Send(EM_SETEVENTMASK, 0, mask_ & ~static_cast<LRESULT>(ENM_CHANGE));
    }
    ChangeNotificationsHeld(const ChangeNotificationsHeld&) = delete;
    ChangeNotificationsHeld& operator=(const ChangeNotificationsHeld&) = delete;
    ~ChangeNotificationsHeld() { editor_.Send(EM_SETEVENTMASK, 0, mask_); }

private:
    const ui::RichEdit& editor_;
    LRESULT mask_;
};

}  // namespace

bool FontCommand::Run(HWND owner, HWND fallback) {
    ui::DialogFont& font = dialog_.font;
    {
        // Four separate reads of the first selected character, in the order the
        // attributes are given to the dialog's font.
        FirstCharacterSelected first(editor_);
        font.color = ColorOf(ReadSelection(editor_));
        font.style = StyleOf(ReadSelection(editor_));
        font.SetSize(PointsOf(ReadSelection(editor_)));
        const std::wstring face = FaceOf(ReadSelection(editor_));
        if (!face.empty()) font.name = face;
    }

    if (!dialog_.Execute(owner, fallback)) return false;

    const CHARRANGE selection = editor_.Selection();
    {
        // Some rich-edit controls report a change of format alone, some (Wine's) do not;
        // either way the caller saves the note once.
        ChangeNotificationsHeld held(editor_);
        // All four on OK, also unchanged ones: the whole selection takes one format.
        WriteSelection(editor_, ColorFormat(font.color));
        WriteSelection(editor_, StyleFormat(font.style));
        WriteSelection(editor_, SizeFormat(font.Size()));
        WriteSelection(editor_, FaceFormat(font.name));
    }
    return selection.cpMax > selection.cpMin;
}

}  // namespace notes
