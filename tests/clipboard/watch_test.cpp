// The clipboard watch in this test program, on the real clipboard and real
// windows, for what a copy through the whole program does not show: copies
// too short to format, idle ticks and the C/SIDE icon. The test ends
// each formatting run itself, as the program's worker would.
#include <gtest/gtest.h>

#include <vector>

#include "clipboard/clipboard_watch.h"
#include "desktop.h"
#include "formatter/formatter.h"

namespace tabwright::test {
namespace {

constexpr char kCode[] = "IF A THEN BEGIN\r\nB:=C+1;\r\nEND;\r\n";

std::u16string Engine(std::string_view code) {
    Formatter formatter;
    TraceRecorder host(false, false);
    return formatter.Nesting(Utf16(code), host);
}

class RecordingWindow : public WatchWindow {
public:
    bool Checked(Switch which) const override { return which != Switch::CSide || cside; }
    void ShowLog(std::u16string_view text) override { log.emplace_back(text); }
    void ShowHostIcon(HICON shown) override { icon = shown; }
    void ClearHostIcon() override { icon = nullptr; }
    void StartNesting(std::u16string text) override { started.push_back(std::move(text)); }

    bool cside = false;
    std::vector<std::u16string> started;
    std::vector<std::u16string> log;
    HICON icon = nullptr;
};

class WatchTest : public testing::Test {
protected:
    // Ends the last run the watch started with the engine's result.
    void Finish() {
        const std::u16string& text = window_.started.back();
        watch_.Nesting_Done(TextBlocks(Engine(std::string(text.begin(), text.end()))));
    }

    RecordingWindow window_;
    HostFormatState state_;
    CClipboard clip_{state_, nullptr};
    CTaskList tasks_;
    ClipboardWatch watch_{window_, clip_, state_, tasks_};
};

TEST_F(WatchTest, ACopyOfOneCharacterIsNeitherFormattedNorShown) {
    ASSERT_TRUE(Copy("X"));
    watch_.Timer1_Timer();
    watch_.Timer1_Timer();
    EXPECT_TRUE(window_.started.empty() && window_.log.empty());
    EXPECT_TRUE(HostFormatOnClipboard());
}

TEST_F(WatchTest, TicksWithoutANewCopyLeaveTheClipboardClosed) {
    ASSERT_TRUE(Copy(kCode));
    watch_.Timer1_Timer();
    Finish();
    watch_.Timer1_Timer();  // sees the program's own content once
    // Every enumeration rewrites the host-format state: a planted value that
    // stays shows that no tick enumerated the clipboard.
    state_.ALSourcePresent = true;
    for (int tick = 0; tick < 3; ++tick) watch_.Timer1_Timer();
    EXPECT_TRUE(state_.ALSourcePresent);
    ASSERT_TRUE(Copy(kCode));
    watch_.Timer1_Timer();
    EXPECT_EQ(window_.started.size(), 2u) << "a new copy is looked at at once";
}

TEST_F(WatchTest, TheFirstWindowNamingNavisionGivesItsIconAndNoWindowClearsIt) {
    window_.cside = true;
    window_.icon = LoadIconW(nullptr, IDI_QUESTION);
    {
        TestWindow designer(L"C/SIDE designer", L"Object Designer");
        watch_.Timer1_Timer();
        EXPECT_EQ(window_.icon, LoadIconW(nullptr, IDI_QUESTION)) << "no caption names Navision: left as it was";
        TestWindow attain(L"C/SIDE attain", L"Business Solutions-naviSION", nullptr, LoadIconW(nullptr, IDI_WARNING));
        watch_.Timer1_Timer();
        EXPECT_EQ(window_.icon, LoadIconW(nullptr, IDI_WARNING));
    }
    watch_.Timer1_Timer();
    EXPECT_EQ(window_.icon, nullptr);
}

}  // namespace
}  // namespace tabwright::test
