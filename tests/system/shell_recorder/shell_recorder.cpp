// Stands in for the browser in tests of clicked links: registered as the program that
// opens an address, it appends what it was given to "opened.txt" beside itself, one line
// per launch, its arguments separated by tabs, and ends.
#include <windows.h>

#include <stdlib.h>

#include <string>

#include "ui/handles.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path(self);
    path = path.substr(0, path.find_last_of('\\') + 1) + "opened.txt";

    std::string line;
    for (int i = 1; i < __argc; ++i) {
        if (i > 1) line += '\t';
        line += __argv[i];
    }
    line += '\n';

    // Launches that overlap take turns: the file is opened without sharing.
    for (int attempt = 0; attempt < 200; ++attempt) {
        ui::File file(CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            DWORD written = 0;
            WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
