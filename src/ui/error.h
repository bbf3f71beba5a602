// Raising Win32 failures as AppError, and the default error handler.
#pragma once

#include <windows.h>

#include <string>

#include "core/errors.h"

namespace ui {

using core::AppError;

// The system's text for an error code, as our messages quote it (no trailing full stop).
std::wstring SystemErrorText(DWORD code);

// Throws "<call>: <system text>" for GetLastError().
[[noreturn]] void ThrowLastError(const char* call);

// The default error handler for the exception being handled: one error box, then the
// program goes on. Safe to call from any catch block.
void ReportCurrentException() noexcept;

}  // namespace ui
