// A test fixture that starts stand-in C/SIDE programs and stops them all at
// the end of the test, whatever its outcome.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cside_protocol.h"
#include "helper_process.h"
#include "host/task_list.h"

namespace tabwright::test {

struct Started {
    HWND window;
    DWORD process;
};

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // Windows of an earlier test may take a moment to disappear.
        ASSERT_TRUE(WaitUntil([] {
            CTaskList probe;
            probe.Refresh();
            return probe.Count() == 0;
        })) << "C/SIDE windows left on the desktop";
    }

    // Starts cside_window with the arguments and waits for its window of the
    // class. window is nullptr when it did not appear.
    Started Start(const std::vector<std::wstring>& args, const std::wstring& className = L"C/SIDE") {
        helpers_.push_back(std::make_unique<HelperProcess>(args));
        HelperProcess& helper = *helpers_.back();
        EXPECT_TRUE(helper.Started()) << "cside_window.exe did not start";
        HWND window = helper.WaitForWindow(className);
        EXPECT_NE(window, nullptr) << "no window of the stand-in appeared";
        return {window, helper.Id()};
    }

    // Stops the i-th started helper (0-based) and waits for its windows to go.
    void StopHelper(std::size_t i, HWND window) {
        helpers_.at(i)->Stop();
        EXPECT_TRUE(WaitUntil([window] { return !IsWindow(window); }));
    }

    CTaskList list;

private:
    std::vector<std::unique_ptr<HelperProcess>> helpers_;
};

}  // namespace tabwright::test
