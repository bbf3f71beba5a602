#include "window/commands.h"

#include "ui/application.h"
#include "ui/text.h"

namespace notes {

void StayOnTop::Leave() {
    const core::Rect b = window_.Bounds();
    SetWindowPos(window_.Handle(), HWND_NOTOPMOST, b.left, b.top, b.width, b.height,
                 SWP_SHOWWINDOW);
    onTop_.SetVisible(false);
    notOnTop_.SetVisible(true);
}

void StayOnTop::Enter() {
    const core::Rect b = window_.Bounds();
    SetWindowPos(window_.Handle(), HWND_TOPMOST, b.left, b.top, b.width, b.height, SWP_SHOWWINDOW);
    onTop_.SetVisible(true);
    notOnTop_.SetVisible(false);
}

bool ConfirmExit() {
    return ui::Application::Current().ShowMessage(ui::FromGbk("确定要退出吗?"), ui::FromGbk("提示"),
                                                  MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace notes
