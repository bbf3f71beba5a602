// The runner's command line: --out FILE, --reps N, --keys N, --idle-seconds S,
// --load-reps N, --startup-sizes/--typing-sizes/--load-sizes BYTES,..., --only NAME,...,
// --earlier NAME,..., --smoke.
#include "bench/options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <stdexcept>

namespace bench {

namespace {

const std::set<std::string> kMeasurements = {"startup", "typing", "idle", "profile"};

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        items.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return items;
        start = comma + 1;
    }
}

template <class T>
T Number(const std::string& option, const std::string& text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument(option + ": not a number: \"" + text + "\"");
    return value;
}

int Count(const std::string& option, const std::string& text) {
    const int value = Number<int>(option, text);
    if (value < 1) throw std::invalid_argument(option + " must be at least 1");
    return value;
}

std::vector<std::size_t> Sizes(const std::string& option, const std::string& text) {
    std::vector<std::size_t> sizes;
    for (const std::string& item : SplitCommas(text))
        sizes.push_back(Number<std::size_t>(option, item));
    return sizes;
}

std::set<std::string> Measurements(const std::string& text) {
    std::set<std::string> names;
    for (const std::string& item : SplitCommas(text)) {
        if (!kMeasurements.count(item))
            throw std::invalid_argument("--only: no measurement \"" + item + "\"");
        names.insert(item);
    }
    return names;
}

// Names that make a file name and a results column as they are.
std::vector<std::string> BuildNames(const std::string& option, const std::string& text) {
    std::vector<std::string> names = SplitCommas(text);
    for (const std::string& name : names) {
        const bool plain = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
        });
        if (!plain) throw std::invalid_argument(option + ": not a build's name: \"" + name + "\"");
    }
    return names;
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--smoke") {
            options.smoke = true;
            continue;
        }
        if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--out")
            options.out = value;
        else if (arg == "--reps")
            options.reps = Count(arg, value);
        else if (arg == "--keys")
            options.keys = Count(arg, value);
        else if (arg == "--idle-seconds")
            options.idleSeconds = Count(arg, value);
        else if (arg == "--load-reps")
            options.loadReps = Count(arg, value);
        else if (arg == "--startup-sizes")
            options.startupSizes = Sizes(arg, value);
        else if (arg == "--typing-sizes")
            options.typingSizes = Sizes(arg, value);
        else if (arg == "--load-sizes")
            options.loadSizes = Sizes(arg, value);
        else if (arg == "--only")
            options.only = Measurements(value);
        else if (arg == "--earlier")
            options.earlier = BuildNames(arg, value);
        else
            throw std::invalid_argument("unknown option " + arg);
    }
    if (options.smoke) {
        // One start-up of each program and ten keystrokes: quick enough for every test run.
        options.reps = 1;
        options.keys = 10;
        options.startupSizes = {1024};
        options.typingSizes = {1024};
        options.only = {"startup", "typing"};
    } else if (options.out.empty()) {
        throw std::invalid_argument("--out is required");
    }
    return options;
}

}  // namespace bench
