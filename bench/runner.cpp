// Runs Notes.exe and the baseline program side by side under the same conditions and writes
// what it measured to a results file (see bench_core.h) for scripts/bench.sh to report.
// Runs of the two programs are interleaved, in an order that alternates from round to
// round, so that a busy spell of the machine falls on both.
//
//   runner.exe --out results.tsv [--reps N] [--keys N] [--idle-seconds S]
//              [--startup-sizes 0,102400,...] [--typing-sizes ...] [--load-sizes ...]
//              [--load-reps N]
//              [--only startup,typing,idle,profile] [--earlier NAME,...]
//   runner.exe --smoke     one start-up of each and ten keystrokes, nothing written
#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "bench/baseline/baseline_ids.h"
#include "bench/bench_core.h"
#include "bench/options.h"
#include "bench/profile.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/process.h"
#include "driver/window_query.h"
#include "window/ids.h"

namespace {

using bench::Options;
using bench::Record;

constexpr std::size_t kKB = 1024;
constexpr DWORD kStartTimeoutMs = 300000;  // a 10 MB note takes Wine's rich edit a while

// The programs measured; the baseline's copies are named after their save.
struct Program {
    std::string name;  // as in the results file
    std::string exeName;
    std::string className;
    int editorId;
    std::string source;  // the file beside the runner that is copied
};

const Program kNotes{"notes", "Notes.exe", notes::NoteWindowClassName.bytes, notes::IDC_REMEMO,
                     "Notes.exe"};
const Program kBaseline{"baseline", bench::kPlainBaselineName, bench::kBaselineClassName,
                        bench::kEditorId, bench::kPlainBaselineName};
const Program kBare{"bare", bench::kBareBaselineName, bench::kBaselineClassName, bench::kEditorId,
                    bench::kPlainBaselineName};
const Program kSafe{"safe", bench::kSafeBaselineName, bench::kBaselineClassName, bench::kEditorId,
                    bench::kPlainBaselineName};

// An earlier build of Notes.exe (--earlier), started under Notes' own name like the current.
Program Earlier(const std::string& name) {
    Program program = kNotes;
    program.name = "earlier-" + name;
    program.source = "Notes-" + name + ".exe";
    return program;
}

std::string Beside(const std::string& name) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string own(path, length);
    return own.substr(0, own.find_last_of('\\') + 1) + name;
}

std::string SourceOf(const Program& program) {
    return Beside(program.source);
}

double NowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool NeedsPaint(HWND hwnd) {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) return true;
    for (HWND child : drv::Children(hwnd)) {
        if (IsWindowVisible(child) && NeedsPaint(child)) return true;
    }
    return false;
}

// One program started in a directory of its own with the note beside it.
class Instance {
public:
    Instance(const Program& program, const std::string& note) : program_(program) {
        exePath_ = dir_.File(program.exeName);
        if (!CopyFileA(SourceOf(program).c_str(), exePath_.c_str(), FALSE))
            throw std::runtime_error("cannot copy " + SourceOf(program));
        if (!drv::WriteFileBytes(NotePath(), note))
            throw std::runtime_error("cannot write " + NotePath());
    }

    // Starts the program and waits until its window is shown and painted and its thread
    // is back in its message loop; gives the milliseconds from the launch to then.
    double Start() {
        const double start = NowMs();
        process_ = drv::Process::Start(exePath_);
        for (;;) {
            window_ = drv::FindTopLevel(process_.Pid(), program_.className);
            DWORD_PTR result = 0;
            if (window_ && IsWindowVisible(window_) &&
                SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, kStartTimeoutMs,
                                    &result) &&
                !NeedsPaint(window_)) {
                break;
            }
            if (!process_.IsRunning()) throw std::runtime_error(program_.name + " ended early");
            if (NowMs() - start > kStartTimeoutMs)
                throw std::runtime_error(program_.name + " did not come up");
            Sleep(1);
        }
        const double elapsed = NowMs() - start;
        editor_ = drv::ChildById(window_, program_.editorId);
        if (!editor_) throw std::runtime_error(program_.name + " has no editor");
        return elapsed;
    }

    std::string NotePath() const { return dir_.File(bench::kNoteFileName); }
    HWND Window() const { return window_; }
    HWND Editor() const { return editor_; }
    const Program& Which() const { return program_; }
    HANDLE Handle() const { return process_.Handle(); }
    void Stop() { process_.Kill(); }

    LRESULT TextLength() const {
        DWORD_PTR length = 0;
        SendMessageTimeoutA(editor_, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length);
        return static_cast<LRESULT>(length);
    }

    double CpuMs() const {
        FILETIME created, exited, kernel, user;
        if (!GetProcessTimes(process_.Handle(), &created, &exited, &kernel, &user))
            throw std::runtime_error("GetProcessTimes failed");
        const auto ticks = [](const FILETIME& t) {
            return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
    }

    double PrivateKB() const {
        PROCESS_MEMORY_COUNTERS_EX counters = {};
        counters.cb = sizeof counters;
        if (!GetProcessMemoryInfo(process_.Handle(),
                                  reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                  sizeof counters)) {
            return -1;
        }
        // Wine leaves PrivateUsage 0 for other processes; PagefileUsage is the same
        // figure on Windows (the private bytes that the page file backs).
        const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
        return static_cast<double>(bytes) / 1024.0;
    }

private:
    const Program& program_;
    drv::TempDir dir_{"bench"};
    std::string exePath_;
    drv::Process process_;
    HWND window_ = nullptr;
    HWND editor_ = nullptr;
};

// Samples by metric, program and note size, written out as summaries.
class Results {
public:
    void Add(const std::string& metric, const Program& program, std::size_t bytes,
             const std::string& unit, double value) {
        Add(metric, program.name, bytes, unit, value);
    }
    void Add(const std::string& metric, const std::string& program, std::size_t bytes,
             const std::string& unit, double value) {
        auto& entry = samples_[{metric, program, bytes}];
        entry.first = unit;
        entry.second.push_back(value);
    }

    std::vector<Record> Records() const {
        std::vector<Record> records;
        for (const auto& [key, entry] : samples_) {
            const auto& [metric, program, bytes] = key;
            records.push_back(
                {metric, program, bytes, entry.first, *bench::Summarize(entry.second)});
        }
        return records;
    }

private:
    std::map<std::tuple<std::string, std::string, std::size_t>,
             std::pair<std::string, std::vector<double>>>
        samples_;
};

void Progress(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

// After a program is stopped, Wine and the X server go on tearing it down for a while (a
// large note's instance the longest); a start in that spell pays for it. Measured starts
// wait this long after the last stop.
constexpr DWORD kSettleMs = 500;

// Start-up of each program with each note, and the private memory it then holds. The
// runs of a round go Notes first and the baseline first by turns. One start of each
// program comes first and is not counted: the very first start after the runner's own
// pays for cold file caches and the Wine server's first use.
// Earlier builds of Notes (--earlier) take part in the rounds, the order of all rotating
// from round to round; each round also gives the current build's ratio to each of them.
void MeasureStartup(const Options& options, Results& results) {
    std::vector<Program> earlier;
    for (const std::string& name : options.earlier) earlier.push_back(Earlier(name));
    std::vector<const Program*> programs = {&kNotes, &kBaseline};
    for (const Program& program : earlier) programs.push_back(&program);
    if (!options.smoke) {
        for (const Program* program : programs) {
            Instance instance(*program, bench::MakeNote(0));
            instance.Start();
            instance.Stop();
        }
    }
    for (int round = 0; round < options.reps; ++round) {
        for (const std::size_t bytes : options.startupSizes) {
            const std::string note = bench::MakeNote(bytes);
            std::vector<const Program*> order = programs;
            std::rotate(order.begin(), order.begin() + round % static_cast<int>(order.size()),
                        order.end());
            std::map<std::string, LRESULT> lengths;
            std::map<std::string, double> times;
            for (const Program* program : order) {
                Instance instance(*program, note);
                Sleep(kSettleMs);
                const double ms = instance.Start();
                Sleep(300);  // let the heap settle before it is counted
                results.Add("startup", *program, bytes, "ms", ms);
                times[program->name] = ms;
                results.Add("private", *program, bytes, "KB", instance.PrivateKB());
                lengths[program->name] = instance.TextLength();
                instance.Stop();
                Progress("startup " + program->name + " " + std::to_string(bytes) +
                         " B: " + std::to_string(ms) + " ms");
            }
            // The two starts of a round met the same load on the machine; their ratio is
            // steadier than the ratio of the two medians, whose runs may have met different.
            results.Add("startup-pair", "ratio", bytes, "x",
                        times["notes"] / std::max(times["baseline"], 1e-3));
            for (const Program& program : earlier) {
                const std::string name = program.name.substr(std::string("earlier-").size());
                results.Add("startup-pair-earlier", name, bytes, "x",
                            times[program.name] / std::max(times["baseline"], 1e-3));
                results.Add("startup-change", name, bytes, "x",
                            times["notes"] / std::max(times[program.name], 1e-3));
            }
            // All must have loaded the same note, or the comparison is void.
            for (const Program* program : programs) {
                if (lengths[program->name] != lengths["baseline"]) {
                    throw std::runtime_error("the programs loaded different texts from a note of " +
                                             std::to_string(bytes) + " bytes: " + program->name +
                                             " " + std::to_string(lengths[program->name]) +
                                             ", baseline " + std::to_string(lengths["baseline"]) +
                                             " characters");
                }
            }
        }
    }
}

// Sends one character to the editor; SendMessage returns once the change handler has
// saved. The file must then hold every character typed so far.
double TypeOne(const Instance& instance, std::size_t typedSoFar) {
    const double start = NowMs();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(instance.Editor(), WM_CHAR, bench::kTypedChar, 1, SMTO_NORMAL, 60000,
                             &result)) {
        throw std::runtime_error(instance.Which().name + " did not take a keystroke");
    }
    const double elapsed = NowMs() - start;
    const auto saved = drv::ReadFileBytes(instance.NotePath());
    const std::size_t count = saved ? bench::CountChar(*saved, bench::kTypedChar) : 0;
    if (count != typedSoFar + 1) {
        throw std::runtime_error(instance.Which().name + ": the note file holds " +
                                 std::to_string(count) + " of " + std::to_string(typedSoFar + 1) +
                                 " typed characters");
    }
    return elapsed;
}

// Notes, the bare baseline and the safe baseline run at once; each keystroke goes to all
// three, in an order that rotates from one keystroke to the next.
void MeasureTyping(const Options& options, Results& results) {
    for (const std::size_t bytes : options.typingSizes) {
        const std::string note = bench::MakeNote(bytes);
        std::vector<std::unique_ptr<Instance>> instances;
        for (const Program* program : {&kNotes, &kBare, &kSafe}) {
            instances.push_back(std::make_unique<Instance>(*program, note));
            instances.back()->Start();
        }
        for (int key = 0; key < options.keys; ++key) {
            for (std::size_t i = 0; i < instances.size(); ++i) {
                const Instance& instance = *instances[(i + key) % instances.size()];
                results.Add("typing", instance.Which(), bytes, "ms",
                            TypeOne(instance, static_cast<std::size_t>(key)));
            }
        }
        Progress("typing " + std::to_string(bytes) + " B: " + std::to_string(options.keys) +
                 " keystrokes each");
    }
}

// CPU time over idle spells: shown, hidden, and with the pointer moving over the window.
void MeasureIdle(const Options& options, Results& results) {
    const std::string note = bench::MakeNote(100 * kKB);
    const DWORD spell = static_cast<DWORD>(options.idleSeconds) * 1000;
    for (const Program* program : {&kNotes, &kBaseline}) {
        Instance instance(*program, note);
        instance.Start();
        Sleep(1000);

        double before = instance.CpuMs();
        Sleep(spell);
        results.Add("idle-shown", *program, 100 * kKB, "ms", instance.CpuMs() - before);

        const RECT rect = drv::WindowRect(instance.Window());
        before = instance.CpuMs();
        const double start = NowMs();
        for (int step = 0; NowMs() - start < spell; ++step) {
            // Back and forth across the note, one move every 10 ms, as a hand passing over.
            const int span = rect.right - rect.left - 20;
            const int phase = (step * 7) % (2 * span);
            const int x = rect.left + 10 + (phase < span ? phase : 2 * span - phase);
            drv::MoveTo({x, (rect.top + rect.bottom) / 2 + (step % 40) - 20});
            Sleep(10);
        }
        results.Add("idle-pointer", *program, 100 * kKB, "ms", instance.CpuMs() - before);
        drv::MoveTo({0, 0});

        ShowWindow(instance.Window(), SW_HIDE);
        Sleep(1000);
        before = instance.CpuMs();
        Sleep(spell);
        results.Add("idle-hidden", *program, 100 * kKB, "ms", instance.CpuMs() - before);
        instance.Stop();
        Progress("idle " + program->name + " done");
    }
}

// On Windows the notification area is always there. Under Wine without a desktop it is a
// window that comes with the first icon and goes with the last, a seventh of a second each
// time; an icon of the runner's own keeps it up, so that no start of Notes.exe pays for it.
class StandingTrayIcon {
public:
    StandingTrayIcon() {
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        icon_.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon_.hWnd = window_;
        icon_.uID = 1;
        icon_.uFlags = NIF_ICON;
        icon_.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        if (!window_ || !Shell_NotifyIconA(NIM_ADD, &icon_))
            throw std::runtime_error("cannot add the runner's own tray icon");
    }
    StandingTrayIcon(const StandingTrayIcon&) = delete;
    StandingTrayIcon& operator=(const StandingTrayIcon&) = delete;
    ~StandingTrayIcon() {
        Shell_NotifyIconA(NIM_DELETE, &icon_);
        DestroyWindow(window_);
    }

private:
    HWND window_ = nullptr;
    NOTIFYICONDATAA icon_ = {};
};

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options options =
            bench::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
        Results results;
        StandingTrayIcon trayIcon;
        if (options.only.count("startup")) MeasureStartup(options, results);
        if (options.only.count("typing")) MeasureTyping(options, results);
        if (options.only.count("idle")) MeasureIdle(options, results);
        if (options.only.count("profile")) {
            bench::ProfileSink sink{
                &NowMs, [&](const std::string& metric, const std::string& step, std::size_t bytes,
                            const std::string& unit,
                            double value) { results.Add(metric, step, bytes, unit, value); }};
            bench::ProfileStartup(sink, options.reps * 2);
            bench::ProfileSave(sink, options.typingSizes, options.keys / 4 + 1);
            bench::ProfileLoad(sink, options.loadSizes, options.loadReps);
            Progress("profile done");
        }

        std::string text = bench::RecordHeader() + "\n";
        for (const Record& record : results.Records()) text += bench::FormatRecord(record) + "\n";
        if (options.smoke) {
            std::fputs(text.c_str(), stdout);
        } else if (!drv::WriteFileBytes(options.out, text)) {
            throw std::runtime_error("cannot write " + options.out);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "runner: %s\n", error.what());
        return 1;
    }
}
