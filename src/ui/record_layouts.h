// Record layouts that the shell and the rich-edit control read in the shipped 32-bit
// program. A header change that moved a field would break the program silently.
#pragma once

#include <windows.h>

#include <richedit.h>
#include <shellapi.h>

#include <cstddef>

#if !defined(_WIN64)
static_assert(NOTIFYICONDATAW_V1_SIZE == 152, "NOTIFYICONDATAW as the 152-byte first version");
static_assert(offsetof(NOTIFYICONDATAW, szTip) + 64 * sizeof(WCHAR) == 152,
              "a tip of 64 characters ends the record");
static_assert(sizeof(ENLINK) == 32, "ENLINK as the 32-byte record");
static_assert(sizeof(CHARFORMATW) == 92, "the wide CHARFORMAT record");
#endif
