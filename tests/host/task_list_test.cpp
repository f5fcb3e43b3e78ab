// The list against windows of other processes, as C/SIDE's would be.
#include <gtest/gtest.h>

#include "host_fixture.h"

namespace tabwright {
namespace {

using test::HostFixture;
using test::kAskSmallIcon;
using test::Started;

class TaskListTest : public HostFixture {};

// Whether this platform carries WM_GETICON to another process; Wine 8 does
// not, and the list then sees a window without icons.
bool IconsCrossProcesses(HWND window) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, WM_GETICON, ICON_SMALL, 0, SMTO_ABORTIFHUNG, 1000, &answer) != 0;
}

TEST_F(TaskListTest, EmptyWithoutCSideWindows) {
    Started other = Start({L"--class", L"c/side", L"--caption", L"Navision"}, L"c/side");
    ASSERT_NE(other.window, nullptr);
    list.Refresh();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Caption(1), u"");
}

TEST_F(TaskListTest, ListsAWindowOfAnotherProcessWithCaptionProcessAndIcons) {
    Started navision = Start({L"--caption", L"Navision Attain \u2013 CRONUS \u00c6\u00d8\u00c5"});
    ASSERT_NE(navision.window, nullptr);
    list.HungTimeout(250);
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.hWnd(1), navision.window);
    EXPECT_EQ(list.ProcessID(1), navision.process);
    EXPECT_NE(list.ProcessID(1), GetCurrentProcessId());
    EXPECT_EQ(list.Caption(1), u"Navision Attain \u2013 CRONUS \u00c6\u00d8\u00c5");
    EXPECT_EQ(list.Status(1), 0);

    if (IconsCrossProcesses(navision.window)) {
        DWORD_PTR ownSmall = 0;
        SendMessageTimeoutW(navision.window, kAskSmallIcon, 0, 0, SMTO_ABORTIFHUNG, 1000, &ownSmall);
        EXPECT_EQ(list.hIconSm(1), reinterpret_cast<HICON>(ownSmall));
    } else {
        EXPECT_EQ(list.hIconSm(1), LoadIconA(nullptr, IDI_WINLOGO));
        EXPECT_EQ(list.hIcon(1), LoadIconA(nullptr, IDI_WINLOGO));
    }
}

TEST_F(TaskListTest, WindowWithoutCaptionIsAddedOnlyOnceItHasOne) {
    Started bare = Start({L"--caption", L""});
    ASSERT_NE(bare.window, nullptr);
    list.Refresh();
    EXPECT_EQ(list.Count(), 0);

    auto setCaption = [&](const wchar_t* text) {
        DWORD_PTR ignored;
        ASSERT_TRUE(SendMessageTimeoutW(bare.window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                                        SMTO_ABORTIFHUNG, 5000, &ignored));
    };
    setCaption(L"Navision Financials");
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Caption(1), u"Navision Financials");

    setCaption(L"");
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Caption(1), u"Navision Financials") << "keeps its last caption";

    setCaption(L"Object Designer");
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Caption(1), u"Object Designer") << "renewed on every Refresh";
}

TEST_F(TaskListTest, OwnedDialogIsListedWithItsOwnersCaption) {
    Started main = Start({L"--caption", L"Navision Attain", L"--dialog", L"Find"});
    ASSERT_NE(main.window, nullptr);
    HWND dialog = FindWindowW(test::kDialogClass, nullptr);
    ASSERT_NE(dialog, nullptr);

    list.Refresh();
    ASSERT_EQ(list.Count(), 2);
    int d = list.FindIndex(dialog), m = list.FindIndex(main.window);
    ASSERT_NE(d, 0);
    ASSERT_NE(m, 0);
    EXPECT_EQ(list.Caption(d), u"Navision Attain");
    EXPECT_EQ(list.ProcessID(d), main.process);
    EXPECT_EQ(list.hIcon(d), list.hIcon(m));
    EXPECT_EQ(list.hIconSm(d), list.hIconSm(m));

    // Owned by a window that is no tool window: no task in mode 0.
    EXPECT_FALSE(list.Valid(0, dialog));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.hWnd(1), main.window);
    EXPECT_TRUE(list.Valid(1));
}

TEST_F(TaskListTest, DestroyedWindowIsDroppedAndTheNextEntryMovesUpWhole) {
    Started one = Start({L"--caption", L"One"});
    list.Refresh();
    Started two = Start({L"--caption", L"Two"});
    list.Refresh();
    Started three = Start({L"--caption", L"Navision Three"});
    list.Refresh();
    ASSERT_EQ(list.Count(), 3);
    ASSERT_EQ(list.hWnd(2), two.window);
    HICON threeSmall = list.hIconSm(3);

    StopHelper(1, two.window);
    list.Refresh();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.hWnd(1), one.window);
    EXPECT_EQ(list.ProcessID(1), one.process);
    EXPECT_EQ(list.hWnd(2), three.window);
    EXPECT_EQ(list.ProcessID(2), three.process);
    EXPECT_EQ(list.Caption(2), u"Navision Three");
    EXPECT_EQ(list.hIconSm(2), threeSmall);
}

TEST_F(TaskListTest, NewWindowsFollowTheListedOnesInZOrder) {
    Started listed = Start({L"--caption", L"Listed"});
    list.Refresh();
    Started lower = Start({L"--caption", L"Lower"});
    Started upper = Start({L"--caption", L"Upper"});
    ASSERT_TRUE(SetWindowPos(listed.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    ASSERT_TRUE(SetWindowPos(lower.window, listed.window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    ASSERT_TRUE(SetWindowPos(upper.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));

    list.Refresh();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.hWnd(1), listed.window) << "listed before, so first although not on top";
    EXPECT_EQ(list.hWnd(2), upper.window);
    EXPECT_EQ(list.hWnd(3), lower.window);
}

}  // namespace
}  // namespace tabwright
