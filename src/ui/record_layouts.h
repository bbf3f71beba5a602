// Record layouts that the shell and the rich-edit control read in the shipped 32-bit
// program. A header change that moved a field would break the program silently.
#pragma once

#include <windows.h>

#include <richedit.h>
#include <shellapi.h>

#include <cstddef>

#if !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "NOTIFYICONDATAA as the 88-byte record");
static_assert(offsetof(NOTIFYICONDATAA, szTip) + 64 == 88, "a 64-byte tip ends the record");
static_assert(sizeof(ENLINK) == 32, "ENLINK as the 32-byte record");
static_assert(sizeof(CHARFORMATA) == 60, "the ANSI CHARFORMAT record");
#endif
