#include "driver/shell_handler.h"

#include <stdexcept>

namespace drv {
namespace {

constexpr char kRecorder[] = "shell_recorder.exe";

std::string CommandKey(std::string_view scheme) {
    return std::string(scheme) + "\\shell\\open\\command";
}

std::string BesideOurselves(std::string_view name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string full(path);
    return full.substr(0, full.find_last_of('\\') + 1) + std::string(name);
}

}  // namespace

ShellHandler::ShellHandler(const std::vector<std::string>& schemes) : dir_("shell") {
    const std::string copy = dir_.File(kRecorder);
    if (!CopyFileA(BesideOurselves(kRecorder).c_str(), copy.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + BesideOurselves(kRecorder));
    }
    for (const std::string& scheme : schemes) {
        restorers_.push_back(
            std::make_unique<RegValueRestorer>(HKEY_CLASSES_ROOT, CommandKey(scheme), ""));
        if (!WriteRegString(HKEY_CLASSES_ROOT, CommandKey(scheme), "", "\"" + copy + "\" \"%1\"")) {
            throw std::runtime_error("cannot register a handler for " + scheme);
        }
    }
}

ShellHandler::~ShellHandler() {
    restorers_.clear();  // the registry first, then the directory with the recorder
}

std::vector<std::string> ShellHandler::Opened() const {
    std::vector<std::string> lines;
    const auto bytes = ReadFileBytes(dir_.File("opened.txt"));
    if (!bytes) return lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes->find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(bytes->substr(start, end - start));
    }
    return lines;
}

::testing::AssertionResult ShellHandler::WaitForOpened(std::size_t count, Ms timeout) const {
    return WaitUntil([&] { return Opened().size() >= count; }, timeout,
                     std::to_string(count) + " start(s) of the address handler");
}

void ShellHandler::Break(std::string_view scheme) const {
    WriteRegString(HKEY_CLASSES_ROOT, CommandKey(scheme), "",
                   "\"" + dir_.File("missing.exe") + "\" \"%1\"");
}

}  // namespace drv
