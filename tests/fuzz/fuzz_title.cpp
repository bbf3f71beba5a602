// The application title from arbitrary module paths, in the code page's bytes and as UTF-16:
// it is a whole-character tail of the path's last component and holds no backslash and no
// dot; the path and message helpers keep what they are given.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/gbk.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    const std::string stem = core::TitleStem(path);
    if (stem.size() > path.size()) std::abort();
    if (!stem.empty() && path.find(stem) == std::string_view::npos) std::abort();
    if (core::GbkFind(stem, '\\') != std::string::npos) std::abort();
    if (core::GbkFind(stem, '.') != std::string::npos) std::abort();
    if (core::SecondCharOffset(stem) > stem.size()) std::abort();

    // The same bytes as a path the system holds: pairs of bytes as UTF-16 units.
    std::wstring wide;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        wide.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }
    const std::wstring wideStem = core::TitleStem(std::wstring_view(wide));
    if (wideStem.find_first_of(L"\\.") != std::wstring::npos) std::abort();
    if (!wideStem.empty() && wide.find(wideStem) == std::wstring::npos) std::abort();

    const std::wstring directory = core::DirectoryOf(wide);
    if (wide.substr(0, directory.size()) != directory) std::abort();

    const std::wstring stopped = core::WithFullStop(wide);
    if (stopped.size() != wide.size() && stopped != wide + L".") std::abort();
    if (core::TrimSystemText(wide).size() > wide.size()) std::abort();
    return 0;
}
