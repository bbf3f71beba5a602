#include "about/frm_about.h"

TfrmAbout* frmAbout = nullptr;

// The About window's contents come with their own step; until then the object exists and
// has no native window.
TfrmAbout::TfrmAbout() {
    frmAbout = this;
}

TfrmAbout::~TfrmAbout() {
    if (frmAbout == this) frmAbout = nullptr;
}
