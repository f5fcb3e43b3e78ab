// A C/SIDE that stops answering must not stop us: every question to it gives
// up after the time-out, and at once once the system sees the thread as hung.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "host_fixture.h"

namespace tabwright {
namespace {

using namespace std::chrono_literals;
using test::HostFixture;
using test::kStopAnswering;
using test::Started;
using test::WaitUntil;

class HungWindowTest : public HostFixture {
protected:
    std::chrono::milliseconds TimedRefresh(const char* what) {
        auto start = std::chrono::steady_clock::now();
        list.Refresh();
        auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        std::printf("Refresh with %s, time-out %d ms: %lld ms\n", what, list.HungTimeout(),
                    static_cast<long long>(took.count()));
        return took;
    }

    // The system calls a thread hung when it has not read its messages for
    // some seconds (five on Windows and Wine).
    static bool WaitUntilHung(HWND window) {
        return WaitUntil([window] { return IsHungAppWindow(window) != FALSE; }, 30s);
    }
};

TEST_F(HungWindowTest, NewlyFrozenWindowCostsNoMoreThanTheTimeOutAndIsNotAdded) {
    Started frozen = Start({L"--caption", L"Navision Attain", L"--hung"});
    ASSERT_NE(frozen.window, nullptr);
    list.HungTimeout(250);
    EXPECT_LT(TimedRefresh("a newly frozen window"), 2s);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(HungWindowTest, HungWindowIsSkippedWithoutWaitingForTheTimeOut) {
    Started frozen = Start({L"--caption", L"Navision Attain", L"--hung"});
    ASSERT_NE(frozen.window, nullptr);
    ASSERT_TRUE(WaitUntilHung(frozen.window));
    // Without SMTO_ABORTIFHUNG this would wait the full five seconds.
    list.HungTimeout(5000);
    EXPECT_LT(TimedRefresh("a hung window"), 2500ms);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(HungWindowTest, ListedWindowThatStopsAnsweringKeepsItsEntry) {
    Started navision = Start({L"--caption", L"Navision Attain"});
    Started other = Start({L"--caption", L"Object Designer"});
    list.HungTimeout(250);
    list.Refresh();
    ASSERT_EQ(list.Count(), 2);
    int frozenIndex = list.FindIndex(navision.window);
    ASSERT_NE(frozenIndex, 0);
    HICON icon = list.hIconSm(frozenIndex);
    EXPECT_EQ(list.Status(frozenIndex), 0);

    ASSERT_TRUE(PostMessageW(navision.window, kStopAnswering, 0, 0));
    // Sent messages overtake posted ones: wait until it has really stopped.
    ASSERT_TRUE(WaitUntil([&] {
        DWORD_PTR ignored;
        return !SendMessageTimeoutW(navision.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored);
    }));
    EXPECT_LT(TimedRefresh("a window that just stopped answering"), 2s);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Caption(frozenIndex), u"Navision Attain");
    EXPECT_EQ(list.hIconSm(frozenIndex), icon);
    EXPECT_EQ(list.Status(frozenIndex), 1);

    ASSERT_TRUE(WaitUntilHung(navision.window));
    list.HungTimeout(5000);
    EXPECT_LT(TimedRefresh("a listed hung window"), 2500ms);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Caption(frozenIndex), u"Navision Attain");
    EXPECT_EQ(list.Caption(list.FindIndex(other.window)), u"Object Designer");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(list.Status(frozenIndex), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2500ms);
}

}  // namespace
}  // namespace tabwright
