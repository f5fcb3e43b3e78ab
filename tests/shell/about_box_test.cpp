// The About box as a real window under Wine: its texts from this test
// program's version resource, its links through the shell's own URL
// handlers and the system information tool found through the registry. A
// probe program stands in for the browser, the mail program and the tool.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "shell/about_box.h"

namespace tabwright {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kMsinfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kLocationKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";

std::wstring Folder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring Probe() { return Folder() + L"\\launch_probe.exe"; }

std::u16string TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return std::u16string(text, text + wcslen(text));
}

// A registry value set for one test; the value it replaced, or its absence,
// comes back afterwards.
class ScopedValue {
public:
    ScopedValue(HKEY root, std::wstring key, std::wstring name) : root_(root), key_(std::move(key)), name_(std::move(name)) {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return;
        DWORD size = 0;
        if (RegQueryValueExW(handle, name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
            old_.emplace(size, BYTE{0});
            RegQueryValueExW(handle, name_.c_str(), nullptr, &type_, old_->data(), &size);
        }
        RegCloseKey(handle);
    }
    ~ScopedValue() {
        if (old_)
            Write(type_, old_->data(), static_cast<DWORD>(old_->size()));
        else
            Delete();
    }

    void Set(const std::wstring& text) {
        Write(REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>((text.size() + 1) * 2));
    }
    void SetNumber(DWORD number) { Write(REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number); }
    void Delete() {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
        RegDeleteValueW(handle, name_.c_str());
        RegCloseKey(handle);
    }

private:
    void Write(DWORD type, const BYTE* data, DWORD size) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(handle, name_.empty() ? nullptr : name_.c_str(), 0, type, data, size);
        RegCloseKey(handle);
    }

    HKEY root_;
    std::wstring key_;
    std::wstring name_;
    DWORD type_ = REG_NONE;
    std::optional<std::vector<BYTE>> old_;
};

// Waits for a message box of this program with the caption, remembers its
// text and presses its OK button.
class MessageBoxWatch {
public:
    explicit MessageBoxWatch(std::wstring caption) : caption_(std::move(caption)), thread_([this] { Watch(); }) {}
    ~MessageBoxWatch() {
        stop_ = true;
        thread_.join();
    }
    // The box's text, once it has been closed.
    std::u16string Text() {
        stop_ = true;
        thread_.join();
        thread_ = std::thread([] {});
        return text_;
    }

private:
    void Watch() {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            HWND box = FindWindowW(L"#32770", caption_.c_str());
            if (box) {
                EnumChildWindows(box, KeepStaticText, reinterpret_cast<LPARAM>(this));
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    }

    static BOOL CALLBACK KeepStaticText(HWND child, LPARAM self) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (wcscmp(name, L"Static") == 0 && GetWindowTextLengthW(child) > 0)
            reinterpret_cast<MessageBoxWatch*>(self)->text_ = TextOf(child);
        return TRUE;
    }

    std::wstring caption_;
    std::atomic<bool> stop_ = false;
    std::u16string text_;
    std::thread thread_;
};

class AboutBoxTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        log_ = std::wstring(temp) + L"tabwright-probe.log";
        DeleteFileW(log_.c_str());
        SetEnvironmentVariableW(L"TABWRIGHT_PROBE_LOG", log_.c_str());
        about_ = std::make_unique<frmAbout>(GetModuleHandleW(nullptr), nullptr,
                                            ReadVersionInfo(GetModuleHandleW(nullptr)), 1);
        about_->Show();
        ASSERT_TRUE(about_->Loaded());
    }
    void TearDown() override {
        about_.reset();
        DeleteFileW(log_.c_str());
    }

    HWND Item(int id) { return GetDlgItem(about_->Handle(), id); }
    void Click(int id) {
        SendMessageW(Item(id), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(Item(id), WM_LBUTTONUP, 0, 0);
    }
    void Press(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }

    // What the probe logged, waiting until it has logged `starts` lines.
    std::string ProbeLog(int starts) {
        std::string text;
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream in{std::filesystem::path(log_)};
            std::stringstream read;
            read << in.rdbuf();
            text = read.str();
            if (std::count(text.begin(), text.end(), '\n') >= starts) break;
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            Sleep(50);
        }
        return text;
    }

    std::wstring log_;
    std::unique_ptr<frmAbout> about_;
};

TEST_F(AboutBoxTest, VersionResourceGivesTitleTextsAndNumbers) {
    const VersionInfo info = ReadVersionInfo(GetModuleHandleW(nullptr));
    EXPECT_EQ(info.title, u"Probe Title");
    EXPECT_EQ(info.description, u"About box under test");
    EXPECT_EQ(info.trademarks, u"Probe is no trademark");
    EXPECT_EQ(info.copyright, u"Copyright (C) 2026 The testers");
    EXPECT_EQ(info.major, 3);
    EXPECT_EQ(info.minor, 14);
    EXPECT_EQ(info.revision, 15);
}

TEST_F(AboutBoxTest, LabelsShowTheVersionTexts) {
    EXPECT_EQ(TextOf(about_->Handle()), u"About Probe Title");
    EXPECT_EQ(TextOf(Item(frmAbout::kLblTitle)), u"Probe Title");
    EXPECT_EQ(TextOf(Item(frmAbout::kLblVersion)), u"Version 3.14    Build : 3115");
    EXPECT_EQ(TextOf(Item(frmAbout::kLblDescription)), u"About box under test\r\n\r\nhttps://tabwright.example.org");
    EXPECT_EQ(TextOf(Item(frmAbout::kLblDisclaimer)),
              u"Probe is no trademark\r\nCopyright (C) 2026 The testers\r\n\r\n"
              u"Please report any errors to support@tabwright.example.org");
    EXPECT_EQ(TextOf(Item(frmAbout::kCmdOK)), u"OK");
    EXPECT_EQ(TextOf(Item(frmAbout::kCmdSysInfo)), u"&System Info...");
}

TEST_F(AboutBoxTest, OneWindowAtATimeUntilOK) {
    HWND first = about_->Handle();
    about_->Show();
    EXPECT_EQ(about_->Handle(), first);
    Press(frmAbout::kCmdOK);
    EXPECT_FALSE(about_->Loaded());
    EXPECT_FALSE(IsWindow(first));
    about_->Show();
    EXPECT_TRUE(about_->Loaded());
}

TEST_F(AboutBoxTest, LabelsOpenTheHomePageAndAMailToSupport) {
    const std::wstring command = L"\"" + Probe() + L"\" \"%1\"";
    ScopedValue https(HKEY_LOCAL_MACHINE, L"Software\\Classes\\https\\shell\\open\\command", L"");
    ScopedValue mailto(HKEY_LOCAL_MACHINE, L"Software\\Classes\\mailto\\shell\\open\\command", L"");
    https.Set(command);
    mailto.Set(command);

    Click(frmAbout::kLblDescription);
    EXPECT_NE(ProbeLog(1).find("\"https://tabwright.example.org\""), std::string::npos) << ProbeLog(1);
    Click(frmAbout::kLblDisclaimer);
    EXPECT_NE(ProbeLog(2).find("\"mailto:support@tabwright.example.org\""), std::string::npos) << ProbeLog(2);
}

TEST_F(AboutBoxTest, SystemInfoStartsTheToolTheRegistryNames) {
    ScopedValue path(HKEY_LOCAL_MACHINE, kMsinfoKey, L"PATH");
    ScopedValue location(HKEY_LOCAL_MACHINE, kLocationKey, L"MSINFO");
    path.Set(Probe());
    location.Delete();
    Press(frmAbout::kCmdSysInfo);
    EXPECT_NE(ProbeLog(1).find("launch_probe.exe"), std::string::npos);

    // Without the tool's own key, the shared tools folder holds MSINFO32.EXE.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tabwright-msinfo";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Probe().c_str(), (folder + L"\\MSINFO32.EXE").c_str(), FALSE));
    path.Delete();
    location.Set(folder);
    Press(frmAbout::kCmdSysInfo);
    EXPECT_NE(ProbeLog(2).find("MSINFO32.EXE"), std::string::npos);
    DeleteFileW((folder + L"\\MSINFO32.EXE").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(AboutBoxTest, SystemInfoThatCannotStartIsReported) {
    ScopedValue path(HKEY_LOCAL_MACHINE, kMsinfoKey, L"PATH");
    ScopedValue location(HKEY_LOCAL_MACHINE, kLocationKey, L"MSINFO");
    const auto expectReport = [this] {
        MessageBoxWatch watch(L"Probe Title");
        Press(frmAbout::kCmdSysInfo);
        EXPECT_EQ(watch.Text(), u"System Information Is Unavailable At This Time");
    };
    path.Delete();
    location.Delete();
    expectReport();
    path.SetNumber(1);  // not a text: no path
    expectReport();
    path.Set(L"C:\\nowhere\\msinfo32.exe");
    expectReport();
    path.Delete();
    location.Set(L"C:\\nowhere");  // no MSINFO32.EXE there
    expectReport();
    EXPECT_EQ(ProbeLog(0), "");
}

TEST(GetKeyValueTest, ReadsStringValuesOnly) {
    const std::wstring key = L"Software\\TabwrightKeyValueTest";
    ScopedValue text(HKEY_CURRENT_USER, key, L"Text");
    ScopedValue number(HKEY_CURRENT_USER, key, L"Number");
    ScopedValue embedded(HKEY_CURRENT_USER, key, L"Embedded");
    ScopedValue large(HKEY_CURRENT_USER, key, L"Large");
    text.Set(L"C:\\Program Files\\msinfo32.exe");
    number.SetNumber(42);
    embedded.Set(std::wstring(L"before\0after", 12));
    large.Set(std::wstring(1100, L'x'));

    std::u16string value = u"old";
    EXPECT_TRUE(GetKeyValue(HKEY_CURRENT_USER, u"Software\\TabwrightKeyValueTest", u"Text", value));
    EXPECT_EQ(value, u"C:\\Program Files\\msinfo32.exe");
    EXPECT_TRUE(GetKeyValue(HKEY_CURRENT_USER, u"Software\\TabwrightKeyValueTest", u"Embedded", value));
    EXPECT_EQ(value, u"before");
    EXPECT_TRUE(GetKeyValue(HKEY_CURRENT_USER, u"Software\\TabwrightKeyValueTest", u"Number", value));
    EXPECT_EQ(value, u"");
    value = u"old";
    EXPECT_FALSE(GetKeyValue(HKEY_CURRENT_USER, u"Software\\TabwrightKeyValueTest", u"Large", value));
    EXPECT_EQ(value, u"");
    value = u"old";
    EXPECT_FALSE(GetKeyValue(HKEY_CURRENT_USER, u"Software\\TabwrightKeyValueTest", u"Missing", value));
    EXPECT_EQ(value, u"");
    EXPECT_FALSE(GetKeyValue(HKEY_CURRENT_USER, u"Software\\TabwrightNoSuchKey", u"Text", value));
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace
}  // namespace tabwright
