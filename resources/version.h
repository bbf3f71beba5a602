// The one place the version lives; the VERSIONINFO resource and the About window read it.
#pragma once

#define NOTES_VERSION_BINARY 1, 3, 0, 0
#define NOTES_VERSION_TEXT "1.03"
