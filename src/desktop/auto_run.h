// Start at log-on: the "AutoRun" setting and the Run values kept in line with the check
// mark of its menu item.
#pragma once

#include <string>

#include "core/run_option.h"

namespace notes {

// Brings the Run values named `name` in line with `enabled`, for the executable at `path`.
// Raises core::AppError with the text the user sees for a registry failure.
void SetAutoRun(const std::wstring& name, const std::wstring& path, bool enabled,
                core::RunOccasion occasion);

// The menu item was clicked and its check mark is now `enabled`: stored in the settings
// file, then applied to the registry for this program. A refused write of the settings file
// leaves the registry alone.
void AutoRunClicked(bool enabled);

}  // namespace notes
