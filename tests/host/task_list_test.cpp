// The list of C/SIDE windows against real windows: this program's own for
// the rules, helper processes for windows that stop answering.
#include <gtest/gtest.h>

#include <deque>

#include "desktop.h"
#include "host/task_list.h"

namespace tabwright::test {
namespace {

TEST(TaskListTest, ListsTheWindowsWhoseClassBeginsWithCSideInTheseLetters) {
    const std::pair<const wchar_t*, bool> classes[] = {
        {L"C/SIDE", true}, {L"C/SIDE Editor", true}, {L"c/side small", false}, {L"C/SID", false}, {L"xC/SIDE", false},
    };
    std::deque<TestWindow> windows;
    for (const auto& [name, listed] : classes) windows.emplace_back(name, L"Navision");
    CTaskList list;
    list.Refresh();
    EXPECT_EQ(list.Count(), 2);
    for (std::size_t i = 0; i < windows.size(); ++i)
        EXPECT_EQ(list.FindIndex(windows[i].Handle()) != 0, classes[i].second) << testing::PrintToString(classes[i].first);
}

TEST(TaskListTest, EntriesKeepTheirPlaceAndLastCaptionAndShowTheirOwnersCaptionAndIcon) {
    const HICON ownerIcon = LoadIconW(nullptr, IDI_WARNING);
    TestWindow owner(L"Navision frame", L"Navision Financials", nullptr, ownerIcon);
    TestWindow dialog(L"C/SIDE Dialog", L"Find", owner.Handle());
    TestWindow bare(L"C/SIDE bare", L"");
    TestWindow last(L"C/SIDE last", L"Last");
    CTaskList list;
    list.Refresh();
    ASSERT_EQ(list.Count(), 2) << "a window without caption is not added";
    const int d = list.FindIndex(dialog.Handle());
    ASSERT_NE(d, 0);
    EXPECT_EQ(list.Caption(d), u"Navision Financials");
    EXPECT_EQ(list.hIconSm(d), ownerIcon);
    EXPECT_EQ(list.hIconSm(list.FindIndex(last.Handle())), LoadIconW(nullptr, IDI_WINLOGO)) << "no icon anywhere";

    SetWindowTextW(bare.Handle(), L"Bare");
    list.Refresh();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.hWnd(3), bare.Handle()) << "new windows come after the listed ones";
    SetWindowTextW(bare.Handle(), L"");
    DestroyWindow(dialog.Handle());
    list.Refresh();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.hWnd(2), bare.Handle()) << "moved up";
    EXPECT_EQ(list.Caption(2), u"Bare") << "a listed window keeps its last caption";
    EXPECT_EQ(list.ProcessID(2), GetCurrentProcessId());
    EXPECT_EQ(list.Caption(3), u"");
}

TEST(TaskListTest, HungWindowsAreNotWaitedFor) {
    Program listed(L"cside_helper.exe", L"window \"C/SIDE listed\" \"Navision Attain\" - -");
    const HWND window = WindowOf(listed.Id(), L"C/SIDE listed");
    ASSERT_NE(window, nullptr);
    CTaskList list;
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    Program late(L"cside_helper.exe", L"window \"C/SIDE late\" \"Navision Attain\" - -");
    const HWND lateWindow = WindowOf(late.Id(), L"C/SIDE late");
    ASSERT_NE(lateWindow, nullptr);
    for (HWND frozen : {window, lateWindow}) PostMessageW(frozen, WM_APP, 0, 0);
    // The system sees a window hung once its thread has not looked for
    // messages for a few seconds.
    ASSERT_TRUE(WaitFor([&] { return IsHungAppWindow(window) && IsHungAppWindow(lateWindow); }, 60s));
    // Waiting out the time-out even once would take longer than the limit.
    list.HungTimeout(30000);
    const auto start = std::chrono::steady_clock::now();
    list.Refresh();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 15s);
    ASSERT_EQ(list.Count(), 1) << "the listed window keeps its entry, the late one is not added";
    EXPECT_EQ(list.Caption(1), u"Navision Attain");
}

}  // namespace
}  // namespace tabwright::test
