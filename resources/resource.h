// Resource identifiers; plain macros because windres preprocesses this file.
#pragma once

#define IDI_MAINICON 1
#define IDI_TRAY 101
