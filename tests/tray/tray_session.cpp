#include "tray_session.h"

#include <shellapi.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "clipboard_access.h"
#include "formatter/formatter.h"
#include "shell/resource.h"

namespace tabwright::test {
namespace {

constexpr wchar_t kProgramKey[] = L"Software\\Quillmark";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Quillmark";
constexpr auto kStartDeadline = 30s;

std::optional<std::wstring> Read(const wchar_t* key, const wchar_t* name) {
    wchar_t buffer[2048];
    DWORD bytes = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer);
}

struct FoundWindow {
    DWORD process;
    HWND window;
};

BOOL CALLBACK MatchKestrel(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<FoundWindow*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process != found->process || std::wstring(name) != L"Kestrel") return TRUE;
    found->window = window;
    return FALSE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, Clock::duration deadline) {
    const auto end = Clock::now() + deadline;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= end) return false;
        Sleep(10);
    }
}

bool HoldsFor(const std::function<bool()>& condition, Clock::duration period) {
    const auto end = Clock::now() + period;
    while (Clock::now() < end) {
        if (!condition()) return false;
        Sleep(10);
    }
    return condition();
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::optional<std::wstring> ReadSetting(const wchar_t* name) { return Read(kProgramKey, name); }

void WriteSetting(const wchar_t* name, const wchar_t* value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kProgramKey, name, REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> ReadRunEntry() { return Read(kRunKey, kRunValue); }

void ClearSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
}

HANDLE StartHelper(const std::wstring& arguments) {
    std::wstring command = L"\"" + ProgramFolder() + L"\\cside_helper.exe\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int RunHelper(const std::wstring& arguments, DWORD timeoutMs) {
    HANDLE process = StartHelper(arguments);
    if (!process) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
    else TerminateProcess(process, 99);
    CloseHandle(process);
    return static_cast<int>(code);
}

std::wstring TextFile(std::string_view text) {
    static std::atomic<int> counter{0};
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"tabwright-tray-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(++counter) + L".txt";
    std::ofstream(std::filesystem::path(path), std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    return path;
}

void CopyInHost(std::string_view code, bool hostFormat) {
    const std::wstring file = TextFile(code);
    const int result = RunHelper(L"copy \"" + file + L"\"" + (hostFormat ? L"" : L" -"));
    DeleteFileW(file.c_str());
    if (result != 0) throw std::runtime_error("cside_helper copy failed: " + std::to_string(result));
}

std::u16string Utf16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string Formatted(std::string_view code, bool sign) {
    Formatter formatter;
    TraceRecorder host(sign, false);
    return formatter.Nesting(Utf16(code), host);
}

SharedEvent::SharedEvent() {
    static std::atomic<int> counter{0};
    name_ = L"TabwrightTrayTest." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++counter);
    handle_ = CreateEventW(nullptr, TRUE, FALSE, name_.c_str());
}

bool TrayProgram::Start() {
    std::wstring command = L"\"" + ProgramFolder() + L"\\Tabwright.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return false;
    FoundWindow found{process_.dwProcessId, nullptr};
    // The window exists once the start-up has run: the switches are loaded
    // and the timer runs.
    const bool up = WaitFor(
        [&] {
            EnumWindows(MatchKestrel, reinterpret_cast<LPARAM>(&found));
            return found.window != nullptr;
        },
        kStartDeadline);
    window_ = found.window;
    return up && WaitForInputIdle(process_.hProcess, 10000) == 0;
}

bool TrayProgram::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool TrayProgram::WaitForExit(DWORD timeoutMs) {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

void TrayProgram::Stop() {
    if (!process_.hProcess) return;
    if (Running()) {
        Command(IDM_QUITPROGRAM);
        if (!WaitForExit(10000)) TerminateProcess(process_.hProcess, 99);
        WaitForExit(10000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
    window_ = nullptr;
}

void TrayProgram::TrayMouse(UINT mouseMessage) const {
    PostMessageW(window_, WM_TABWRIGHT_TRAY, 1, static_cast<LPARAM>(mouseMessage));
}

bool TrayProgram::BoxChecked(int checkId) const {
    return SendMessageW(Control(checkId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::u16string TrayProgram::LogText() const {
    HWND log = Control(IDC_TEXT1);
    std::vector<wchar_t> text(static_cast<std::size_t>(SendMessageW(log, WM_GETTEXTLENGTH, 0, 0)) + 1);
    const LRESULT length = SendMessageW(log, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::u16string(text.begin(), text.begin() + length);
}

bool TrayProgram::TrayIconPresent() const {
    // The shell accepts an update only for an icon it holds.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = 1;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace tabwright::test
