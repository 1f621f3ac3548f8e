// TSimpleTimer on real system timers: start and stop rules, the period, the
// shared hidden window's lifetime, and independent timers.
#include "simple_timer.h"

#include "message_pump.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

using namespace tamga;
using namespace std::chrono_literals;

using namespace tamga::testing;

namespace {

constexpr wchar_t kHandlerClass[] = L"TamgalikTimerHandler";

// Every tick of a timer: who sent it and when.
struct TickLog {
    std::vector<TSimpleTimer*> senders;
    std::vector<Clock::time_point> times;
    TSimpleTimer::TimerEvent recorder() {
        return [this](TSimpleTimer& sender) {
            senders.push_back(&sender);
            times.push_back(Clock::now());
        };
    }
    int count() const { return static_cast<int>(senders.size()); }
};

// Lets a second, independent timer tick `ticks` times: time enough for a
// timer under test to show it does not tick.
void let_another_timer_tick(int ticks) {
    TickLog reference;
    TSimpleTimer timer(20, reference.recorder());
    timer.SetActive(true);
    ASSERT_TRUE(pump_until([&] { return reference.count() >= ticks; }));
}

TEST(SimpleTimer, StartsInactiveAndAZeroIntervalNeverStarts) {
    TickLog log;
    TSimpleTimer plain;
    EXPECT_FALSE(plain.Active());
    EXPECT_EQ(plain.Interval(), 1000u);
    EXPECT_FALSE(plain.OnTimer());

    TSimpleTimer zero(0, log.recorder());
    zero.SetActive(true);
    EXPECT_FALSE(zero.Active());
    EXPECT_FALSE(zero.Start());
    let_another_timer_tick(5);
    EXPECT_EQ(log.count(), 0);
}

TEST(SimpleTimer, ZeroIntervalPausesAnActiveTimerUntilANewIntervalIsSet) {
    TickLog log;
    TSimpleTimer timer(20, log.recorder());
    timer.SetActive(true);
    ASSERT_TRUE(pump_until([&] { return log.count() >= 2; }));

    timer.SetInterval(0);
    EXPECT_TRUE(timer.Active());
    EXPECT_EQ(timer.Interval(), 0u);
    const int paused_at = log.count();
    let_another_timer_tick(6);
    EXPECT_EQ(log.count(), paused_at);

    timer.SetInterval(30);
    ASSERT_TRUE(pump_until([&] { return log.count() >= paused_at + 2; }));
    EXPECT_TRUE(timer.Active());
}

TEST(SimpleTimer, AnEmptyHandlerPausesAnActiveTimerUntilANewIntervalIsSet) {
    TickLog log;
    TSimpleTimer timer(20, log.recorder());
    timer.SetActive(true);
    ASSERT_TRUE(pump_until([&] { return log.count() >= 1; }));

    timer.SetOnTimer(nullptr);
    EXPECT_TRUE(timer.Active());
    timer.SetOnTimer(log.recorder());  // a handler alone does not restart the ticks
    const int paused_at = log.count();
    let_another_timer_tick(6);
    EXPECT_EQ(log.count(), paused_at);

    timer.SetInterval(25);
    ASSERT_TRUE(pump_until([&] { return log.count() >= paused_at + 2; }));
}

TEST(SimpleTimer, ActivatingARunningTimerRestartsItsPeriod) {
    constexpr auto kPeriod = 400ms;
    TickLog log;
    TSimpleTimer timer(static_cast<UINT>(kPeriod.count()), log.recorder());
    timer.SetActive(true);
    pump_for(kPeriod / 2);

    const auto restarted = Clock::now();
    timer.SetActive(true);
    const int before = log.count();
    ASSERT_TRUE(pump_until([&] { return log.count() >= before + 2; }));
    // Without the restart the next tick would come half a period after it.
    EXPECT_GE(log.times[before] - restarted, kPeriod * 9 / 10);
    EXPECT_GE(log.times[before + 1] - log.times[before], kPeriod * 9 / 10);
}

TEST(SimpleTimer, DeactivatingStopsTheTicks) {
    TickLog log;
    TSimpleTimer timer(20, log.recorder());
    timer.SetActive(true);
    ASSERT_TRUE(pump_until([&] { return log.count() >= 1; }));
    timer.SetActive(false);
    EXPECT_FALSE(timer.Active());
    EXPECT_FALSE(timer.Stop(true));  // no system timer left to kill
    const int stopped_at = log.count();
    let_another_timer_tick(5);
    EXPECT_EQ(log.count(), stopped_at);
}

TEST(SimpleTimer, TwoTimersTickIndependentlyEachToItsOwnHandler) {
    TickLog first_log, second_log;
    TSimpleTimer first(20, first_log.recorder());
    TSimpleTimer second(35, second_log.recorder());
    first.SetActive(true);
    second.SetActive(true);
    ASSERT_TRUE(pump_until([&] { return first_log.count() >= 3 && second_log.count() >= 3; }));

    second.SetActive(false);
    const int second_stopped_at = second_log.count();
    const int first_before = first_log.count();
    ASSERT_TRUE(pump_until([&] { return first_log.count() >= first_before + 3; }));
    EXPECT_EQ(second_log.count(), second_stopped_at);

    for (TSimpleTimer* sender : first_log.senders) EXPECT_EQ(sender, &first);
    for (TSimpleTimer* sender : second_log.senders) EXPECT_EQ(sender, &second);
}

TEST(SimpleTimer, TheHiddenWindowLivesFromTheFirstTimerToTheLast) {
    ASSERT_EQ(FindWindowW(kHandlerClass, nullptr), nullptr);
    auto first = std::make_unique<TSimpleTimer>();
    const HWND window = FindWindowW(kHandlerClass, nullptr);  // top-level: FindWindow sees it
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    auto second = std::make_unique<TSimpleTimer>();
    EXPECT_EQ(FindWindowW(kHandlerClass, nullptr), window);
    first.reset();
    EXPECT_TRUE(IsWindow(window));
    second.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowW(kHandlerClass, nullptr), nullptr);

    TickLog log;
    TSimpleTimer again(20, log.recorder());
    again.SetActive(true);
    EXPECT_NE(FindWindowW(kHandlerClass, nullptr), nullptr);
    EXPECT_TRUE(pump_until([&] { return log.count() >= 1; }));
}

TEST(SimpleTimer, ATickNamingNoLiveTimerIsIgnored) {
    TickLog log;
    TSimpleTimer live(1000, log.recorder());
    const HWND window = FindWindowW(kHandlerClass, nullptr);
    ASSERT_NE(window, nullptr);
    // What a queued tick of a destroyed timer would point at.
    std::array<std::byte, sizeof(TSimpleTimer)> gone;
    gone.fill(std::byte{0xAB});
    SendMessageW(window, WM_TIMER, reinterpret_cast<WPARAM>(gone.data()), 0);
    SendMessageW(window, WM_TIMER, reinterpret_cast<WPARAM>(&live), 0);
    EXPECT_EQ(log.count(), 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
