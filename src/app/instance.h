// One running instance: a second launch hands over to the first and ends.
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace notes {

class SingleInstance {
public:
    // Takes the instance lock, waiting while another launch is still starting up.
    SingleInstance();
    // True when this process is the one to run; otherwise the running instance has been
    // asked to come to the front (or could not be reached) and this process should end.
    bool IsFirst() const { return first_; }

private:
    ui::Handle mutex_;
    bool first_ = false;
};

}  // namespace notes
