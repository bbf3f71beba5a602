#include "ui/font_dialog.h"

#include "core/geometry.h"

namespace ui {

int DialogFont::Size() const {
    return core::HeightToPoints(height, pixelsPerInch);
}

void DialogFont::SetSize(int points) {
    height = core::PointsToHeight(points, pixelsPerInch);
}

// The dialog itself comes with the font command.
bool FontDialog::Execute(HWND) {
    return false;
}

}  // namespace ui
