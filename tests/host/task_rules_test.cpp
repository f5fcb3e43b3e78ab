// The list's rules checked against windows of the test program itself:
// settings, class names, icons, owners, task-window modes and captions that
// misbehave.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "host/task_list.h"
#include "host_fixture.h"
#include "solid_icon.h"
#include "test_window.h"

namespace tabwright {
namespace {

using test::SolidIcon;
using test::TestWindow;
using test::WindowOptions;

WindowOptions Window(const std::wstring& className, const std::wstring& caption = L"Navision Attain") {
    WindowOptions options;
    options.className = className;
    options.caption = caption;
    return options;
}

std::u16string U(const std::wstring& text) { return {text.begin(), text.end()}; }

class TaskRulesTest : public test::HostFixture {
protected:
    HWND Open(const WindowOptions& options) {
        windows_.push_back(std::make_unique<TestWindow>(options));
        HWND window = windows_.back()->Handle();
        EXPECT_NE(window, nullptr) << "class " << std::string(options.className.begin(), options.className.end());
        return window;
    }

    std::vector<std::unique_ptr<TestWindow>> windows_;
};

TEST_F(TaskRulesTest, SettingsKeepTheirValueWhenGivenOneOutOfRange) {
    EXPECT_EQ(list.HungTimeout(), 500);
    EXPECT_EQ(list.Mode(), 0);
    list.HungTimeout(250);
    list.HungTimeout(0);
    list.HungTimeout(-1);
    EXPECT_EQ(list.HungTimeout(), 250);
    list.Mode(1);
    list.Mode(2);
    list.Mode(-1);
    EXPECT_EQ(list.Mode(), 1);
    list.Mode(0);
    EXPECT_EQ(list.Mode(), 0);
}

TEST_F(TaskRulesTest, ListsExactlyTheClassesBeginningWithCSide) {
    HWND plain = Open(Window(L"C/SIDE"));
    HWND longer = Open(Window(L"C/SIDE Editor"));
    // Class names compare without case within a process, so the lower-case
    // name is tried in a process of its own (TaskListTest).
    Open(Window(L"C/SID"));
    Open(Window(L"xC/SIDE"));
    list.Refresh();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_NE(list.FindIndex(plain), 0);
    EXPECT_NE(list.FindIndex(longer), 0);
}

TEST_F(TaskRulesTest, IndicesOutsideTheListGiveEmptyValues) {
    HWND window = Open(Window(L"C/SIDE"));
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    for (int index : {0, 2, -1}) {
        EXPECT_EQ(list.Caption(index), u"") << index;
        EXPECT_EQ(list.hWnd(index), nullptr) << index;
        EXPECT_EQ(list.hIcon(index), nullptr) << index;
        EXPECT_EQ(list.hIconSm(index), nullptr) << index;
        EXPECT_EQ(list.ProcessID(index), 0u) << index;
        EXPECT_EQ(list.Status(index), 0) << index;
        EXPECT_FALSE(list.Valid(index)) << index;
    }
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.FindIndex(nullptr), 0);
    EXPECT_EQ(list.GetIndex(GetDesktopWindow()), 0);
    EXPECT_EQ(list.GetIndex(window), 1);
    EXPECT_EQ(list.ProcessID(1), GetCurrentProcessId());
}

TEST_F(TaskRulesTest, IconsComeFromTheWindowThenItsClassThenTheDefaults) {
    HICON classBig = SolidIcon(RGB(200, 0, 0), 32);
    HICON classSmall = SolidIcon(RGB(0, 200, 0), 16);
    HICON ownBig = SolidIcon(RGB(0, 0, 200), 32);
    HICON ownSmall = SolidIcon(RGB(200, 200, 0), 16);

    WindowOptions withClassIcons = Window(L"C/SIDE class icons");
    withClassIcons.classIcon = classBig;
    withClassIcons.classIconSm = classSmall;
    HWND byClass = Open(withClassIcons);
    HWND byWindow = Open(Window(L"C/SIDE own icons"));
    SendMessageW(byWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ownBig));
    SendMessageW(byWindow, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ownSmall));
    HWND none = Open(Window(L"C/SIDE no icons"));

    list.Refresh();
    ASSERT_EQ(list.Count(), 3);
    int c = list.FindIndex(byClass), w = list.FindIndex(byWindow), n = list.FindIndex(none);
    EXPECT_EQ(list.hIcon(c), classBig);
    EXPECT_EQ(list.hIconSm(c), classSmall);
    EXPECT_EQ(list.hIcon(w), ownBig);
    EXPECT_EQ(list.hIconSm(w), ownSmall);
    EXPECT_EQ(list.hIcon(n), LoadIconA(nullptr, IDI_WINLOGO));
    EXPECT_EQ(list.hIconSm(n), LoadIconA(nullptr, IDI_WINLOGO));
    list.Mode(1);
    EXPECT_EQ(list.hIcon(n), LoadIconA(nullptr, IDI_APPLICATION));
    EXPECT_EQ(list.hIconSm(n), LoadIconA(nullptr, IDI_APPLICATION));
    EXPECT_EQ(list.hIconSm(w), ownSmall);

    windows_.clear();
    for (HICON icon : {classBig, classSmall, ownBig, ownSmall}) DestroyIcon(icon);
}

TEST_F(TaskRulesTest, OwnedWindowShowsItsOwnersCaptionAndIcons) {
    HICON ownerSmall = SolidIcon(RGB(0, 200, 0), 16);
    HWND owner = Open(Window(L"Owner frame", L"Navision Financials"));
    SendMessageW(owner, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ownerSmall));
    WindowOptions dialog = Window(L"C/SIDE Dialog", L"Find");
    dialog.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialog.owner = owner;
    HWND owned = Open(dialog);

    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.hWnd(1), owned);
    EXPECT_EQ(list.Caption(1), u"Navision Financials");
    EXPECT_EQ(list.hIconSm(1), ownerSmall);
    EXPECT_EQ(list.ProcessID(1), GetCurrentProcessId());

    windows_.clear();
    DestroyIcon(ownerSmall);
}

TEST_F(TaskRulesTest, ListedWindowsKeepTheirPlaceAndDestroyedOnesAreDropped) {
    HWND first = Open(Window(L"C/SIDE 1", L"One"));
    list.Refresh();
    HWND second = Open(Window(L"C/SIDE 2", L"Two"));
    list.Refresh();
    HWND third = Open(Window(L"C/SIDE 3", L"Three"));
    list.Refresh();
    ASSERT_EQ(list.Count(), 3);
    // Raising a listed window does not reorder the list.
    SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    list.Refresh();
    EXPECT_EQ(list.hWnd(1), first);
    EXPECT_EQ(list.hWnd(2), second);
    EXPECT_EQ(list.hWnd(3), third);

    windows_[1]->Destroy();
    EXPECT_EQ(list.Count(), 3) << "the list changes only on Refresh";
    list.Refresh();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.hWnd(2), third);
    EXPECT_EQ(list.Caption(2), u"Three");
    EXPECT_EQ(list.FindIndex(second), 0);
}

// Windows that answer the caption questions in ways a careful reader must
// survive. Their class names tell which misbehaviour they show.
LRESULT CALLBACK HugeLength(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXTLENGTH) return 0x7fffffff;
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK OverstatedCopy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT) {
        DefWindowProcW(window, message, wParam, lParam);
        return 100000;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool g_captionVanishes = false;
LRESULT CALLBACK VanishingCaption(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT && g_captionVanishes) {
        if (wParam > 0) reinterpret_cast<wchar_t*>(lParam)[0] = L'\0';
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(TaskRulesTest, CaptionIsReadSafelyFromMisbehavingWindows) {
    WindowOptions huge = Window(L"C/SIDE huge", L"Navision huge");
    huge.proc = HugeLength;
    WindowOptions overstated = Window(L"C/SIDE overstated", L"Navision overstated");
    overstated.proc = OverstatedCopy;
    HWND hugeWindow = Open(huge);
    HWND overstatedWindow = Open(overstated);

    list.Refresh();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Caption(list.FindIndex(hugeWindow)), u"Navision huge");
    EXPECT_EQ(list.Caption(list.FindIndex(overstatedWindow)), u"Navision overstated");
}

TEST_F(TaskRulesTest, CaptionThatVanishesBetweenQuestionsCountsAsEmpty) {
    WindowOptions options = Window(L"C/SIDE vanishing", L"Navision Attain");
    options.proc = VanishingCaption;
    g_captionVanishes = true;
    HWND window = Open(options);
    list.Refresh();
    EXPECT_EQ(list.Count(), 0) << "a window without caption is not added";

    g_captionVanishes = false;
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    g_captionVanishes = true;
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.hWnd(1), window);
    EXPECT_EQ(list.Caption(1), u"Navision Attain") << "a listed window keeps its last caption";
    g_captionVanishes = false;
}

TEST_F(TaskRulesTest, CaptionsKeepCharactersOutsideTheCodePage) {
    const std::wstring caption = L"Navision \u0141\u00f3d\u017a \u2013 \u65e5\u672c";
    Open(Window(L"C/SIDE", caption));
    list.Refresh();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Caption(1), U(caption));
}

// Which windows count as tasks, in each mode.
struct TaskCase {
    const char* name;
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    enum { None, NormalOwner, ToolOwner, Parent } relative;
    bool mode0;
    bool mode1;
};

constexpr DWORD kShown = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_VISIBLE;

const TaskCase kTaskCases[] = {
    {"plain", L"C/SIDE", kShown, 0, TaskCase::None, true, true},
    {"hidden", L"C/SIDE", WS_OVERLAPPEDWINDOW, 0, TaskCase::None, false, false},
    {"tool", L"C/SIDE", kShown, WS_EX_TOOLWINDOW, TaskCase::None, false, true},
    {"tool Progman", L"Progman", kShown, WS_EX_TOOLWINDOW, TaskCase::None, false, false},
    {"plain Progman", L"Progman", kShown, 0, TaskCase::None, true, true},
    {"owned by plain", L"C/SIDE", kPopup, 0, TaskCase::NormalOwner, false, false},
    {"owned by tool", L"C/SIDE", kPopup, 0, TaskCase::ToolOwner, true, false},
    {"tool owned by tool", L"C/SIDE", kPopup, WS_EX_TOOLWINDOW, TaskCase::ToolOwner, false, false},
    {"child", L"C/SIDE", WS_CHILD | WS_VISIBLE, 0, TaskCase::Parent, false, false},
};

TEST_F(TaskRulesTest, TaskWindowRulesOfBothModes) {
    WindowOptions normal = Window(L"Plain owner");
    WindowOptions tool = Window(L"Tool owner");
    tool.exStyle = WS_EX_TOOLWINDOW;
    HWND normalOwner = Open(normal);
    HWND toolOwner = Open(tool);

    for (const TaskCase& c : kTaskCases) {
        WindowOptions options = Window(c.className);
        options.style = c.style;
        options.exStyle = c.exStyle;
        if (c.relative == TaskCase::NormalOwner || c.relative == TaskCase::Parent)
            options.owner = normalOwner;
        if (c.relative == TaskCase::ToolOwner) options.owner = toolOwner;
        TestWindow window(options);
        ASSERT_NE(window.Handle(), nullptr) << c.name;
        list.Mode(0);
        EXPECT_EQ(list.IsTask(window.Handle()), c.mode0) << c.name << ", mode 0";
        list.Mode(1);
        EXPECT_EQ(list.IsTask(window.Handle()), c.mode1) << c.name << ", mode 1";
    }
    EXPECT_FALSE(list.IsTask(nullptr));
    EXPECT_TRUE(CTaskList::IsToolWindow(toolOwner));
    EXPECT_FALSE(CTaskList::IsToolWindow(normalOwner));
    EXPECT_FALSE(CTaskList::IsToolWindow(nullptr));
}

TEST_F(TaskRulesTest, ValidDropsAnEntryThatIsNoTaskAndMovesTheOthersUp) {
    HWND first = Open(Window(L"C/SIDE 1", L"One"));
    list.Refresh();
    WindowOptions toolOptions = Window(L"C/SIDE 2", L"Two");
    toolOptions.exStyle = WS_EX_TOOLWINDOW;
    HWND tool = Open(toolOptions);
    list.Refresh();
    HWND third = Open(Window(L"C/SIDE 3", L"Three"));
    list.Refresh();
    ASSERT_EQ(list.Count(), 3);

    EXPECT_TRUE(list.Valid(1));
    EXPECT_TRUE(list.Valid(0, third));
    EXPECT_FALSE(list.Valid(0, GetDesktopWindow())) << "not listed";
    EXPECT_EQ(list.Count(), 3);

    EXPECT_FALSE(list.Valid(2));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.FindIndex(tool), 0);
    EXPECT_EQ(list.hWnd(1), first);
    EXPECT_EQ(list.hWnd(2), third);
    EXPECT_EQ(list.Caption(2), u"Three");

    // Mode 1 accepts tool windows: the next Refresh lists it again, at the end.
    list.Mode(1);
    list.Refresh();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.hWnd(3), tool);
    EXPECT_TRUE(list.Valid(0, tool));
}

}  // namespace
}  // namespace tabwright
