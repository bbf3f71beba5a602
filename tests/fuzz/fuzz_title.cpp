// The application title from arbitrary module paths: it is a whole-character tail of the
// path's last component, holds no backslash and no dot, and the message helpers never
// split a double-byte character.
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

    const std::string directory = core::DirectoryOf(path);
    if (path.substr(0, directory.size()) != directory) std::abort();

    const std::string stopped = core::WithFullStop(path);
    if (stopped.size() != path.size() && stopped != std::string(path) + ".") std::abort();
    if (core::TrimSystemText(path).size() > path.size()) std::abort();
    return 0;
}
