// Waiting for the program under test. Nothing here sleeps for a fixed time and hopes: every
// wait polls for a condition, has a timeout, and says what it waited for when time runs out.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>  // durations, clocks and the ms/s literals; see below
#include <utility>

// Not <chrono>: with GCC 12 in C++20 it holds a "\u00b5s" literal that cannot be converted
// to GBK, our execution character set. <thread> brings the part we need.
namespace drv {

using Ms = std::chrono::milliseconds;

// Generous, because the machine is shared and Wine starts programs slowly when its server
// is cold. A passing test never waits this long.
inline constexpr Ms kStartTimeout{20000};
inline constexpr Ms kWaitTimeout{5000};

// A limit for work that is mostly the processor's (loading a note of megabytes), times the
// slowdown that NOTES_TIME_SCALE gives: scripts/wine-run sets it where the programs run
// under an instruction-set emulator.
Ms ForHeavyWork(Ms limit);

// Thrown when a test uses the value of a wait that timed out; GoogleTest reports its text.
struct Timeout : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The outcome of waiting for a value: the value, or what was awaited and for how long.
// ASSERT_TRUE(waited) prints that description; *waited throws Timeout when there is none.
template <class T>
class Waited {
public:
    Waited(std::optional<T> value, std::string what, Ms elapsed)
        : value_(std::move(value)), what_(std::move(what)), elapsed_(elapsed) {}

    explicit operator bool() const { return value_.has_value(); }
    operator ::testing::AssertionResult() const {
        if (value_) return ::testing::AssertionSuccess() << "got " << what_;
        return ::testing::AssertionFailure() << Description();
    }
    const T& operator*() const { return Value(); }
    const T* operator->() const { return &Value(); }
    const T& Value() const {
        if (!value_) throw Timeout(Description());
        return *value_;
    }
    const std::optional<T>& Optional() const { return value_; }
    const std::string& What() const { return what_; }

private:
    std::string Description() const {
        return "timed out after " + std::to_string(elapsed_.count()) + " ms waiting for " + what_;
    }

    std::optional<T> value_;
    std::string what_;
    Ms elapsed_;
};

// Polls `probe` until it gives a value or `timeout` passes.
template <class T>
Waited<T> WaitFor(const std::function<std::optional<T>()>& probe, Ms timeout, std::string what);

// Polls `done` until it holds. The result carries `what` into the test's failure message.
::testing::AssertionResult WaitUntil(const std::function<bool()>& done, Ms timeout,
                                     std::string_view what);

// Checks that `holds` stays true for the whole `duration` (for "nothing happens" checks).
::testing::AssertionResult StaysTrue(const std::function<bool()>& holds, Ms duration,
                                     std::string_view what);

// Waits until the thread of `hwnd` is back in a message loop (its main loop, or the modal
// loop of a message box or menu) with nothing left to handle: no input, posted message or
// painting. Right after a launch this waits for the end of start-up.
//
// Measured under Wine 8 (typing 20 keys at once into the note): WaitForInputIdle said
// "idle" all along while the keys were still queued, and a reply to WM_NULL comes before
// queued input is handled (and, during start-up, while the program waits in a SendMessage
// of its own), so neither tells. Settle posts the window a request that menu_probe.dll
// answers inside the program when the thread takes it from its queue; the answer carries
// the thread's GetQueueStatus. Two empty answers a short quiet spell apart (for X events
// on their way) settle it: about 45 ms when there is nothing to do, and right after a
// launch about 200 ms more, the rest of start-up. A window that is gone counts as settled.
::testing::AssertionResult Settle(HWND hwnd, Ms timeout = kWaitTimeout);

// Sleeps; for the few places where time itself is what is tested (a double click's gap).
void Pause(Ms duration);

namespace detail {
std::chrono::steady_clock::time_point Now();
void PollPause();
}  // namespace detail

template <class T>
Waited<T> WaitFor(const std::function<std::optional<T>()>& probe, Ms timeout, std::string what) {
    const auto start = detail::Now();
    for (;;) {
        std::optional<T> value = probe();
        const auto elapsed = std::chrono::duration_cast<Ms>(detail::Now() - start);
        if (value || elapsed >= timeout)
            return Waited<T>(std::move(value), std::move(what), elapsed);
        detail::PollPause();
    }
}

}  // namespace drv
