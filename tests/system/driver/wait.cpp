#include "driver/wait.h"

#include <cstdlib>
#include <thread>

#include "driver/probe_client.h"

namespace drv {
namespace {

using Clock = std::chrono::steady_clock;

constexpr Ms kPollInterval{10};
// Long enough for X events that follow a change (exposure, focus) to reach the program.
constexpr Ms kQuietSpell{20};
// What a thread still has to handle; timers do not count (a caret blinks for ever).
constexpr UINT kPending = QS_INPUT | QS_POSTMESSAGE | QS_PAINT | QS_HOTKEY;

Ms Since(Clock::time_point start) {
    return std::chrono::duration_cast<Ms>(Clock::now() - start);
}

}  // namespace

namespace detail {
Clock::time_point Now() {
    return Clock::now();
}
void PollPause() {
    std::this_thread::sleep_for(kPollInterval);
}
}  // namespace detail

::testing::AssertionResult WaitUntil(const std::function<bool()>& done, Ms timeout,
                                     std::string_view what) {
    const auto start = Clock::now();
    for (;;) {
        if (done()) {
            return ::testing::AssertionSuccess()
                   << what << " after " << Since(start).count() << " ms";
        }
        if (Since(start) >= timeout) {
            return ::testing::AssertionFailure()
                   << "timed out after " << Since(start).count() << " ms waiting for " << what;
        }
        detail::PollPause();
    }
}

::testing::AssertionResult StaysTrue(const std::function<bool()>& holds, Ms duration,
                                     std::string_view what) {
    const auto start = Clock::now();
    for (;;) {
        if (!holds()) {
            return ::testing::AssertionFailure()
                   << "no longer " << what << " after " << Since(start).count() << " ms";
        }
        if (Since(start) >= duration) {
            return ::testing::AssertionSuccess() << what << " for " << duration.count() << " ms";
        }
        detail::PollPause();
    }
}

::testing::AssertionResult Settle(HWND hwnd, Ms timeout) {
    const auto start = Clock::now();
    bool quietOnce = false;
    while (Since(start) < timeout) {
        if (!IsWindow(hwnd)) return ::testing::AssertionSuccess() << "window gone";
        const auto answer =
            AskProbe(hwnd, probe::kQueueStatus, timeout - Since(start), Delivery::kPosted);
        if (!answer) {
            if (!IsWindow(hwnd)) return ::testing::AssertionSuccess() << "window gone";
            return ::testing::AssertionFailure()
                   << "the thread of window " << hwnd << " did not come back to a message loop "
                   << "within " << timeout.count() << " ms (or menu_probe.dll is missing beside "
                   << "the test program)";
        }
        if ((HIWORD(answer->queueStatus) & kPending) == 0) {
            if (quietOnce) {
                return ::testing::AssertionSuccess()
                       << "settled after " << Since(start).count() << " ms";
            }
            quietOnce = true;
            std::this_thread::sleep_for(kQuietSpell);
        } else {
            quietOnce = false;
            detail::PollPause();
        }
    }
    return ::testing::AssertionFailure()
           << "window " << hwnd << " still busy after " << Since(start).count() << " ms";
}

Ms ForHeavyWork(Ms limit) {
    char value[16] = {};
    const DWORD length = GetEnvironmentVariableA("NOTES_TIME_SCALE", value, sizeof value);
    const int scale = length > 0 && length < sizeof value ? std::atoi(value) : 1;
    return scale > 1 ? limit * scale : limit;
}

void Pause(Ms duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace drv
