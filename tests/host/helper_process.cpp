#include "helper_process.h"

namespace tabwright::test {
namespace {

std::wstring HelperPath() {
    wchar_t self[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"cside_window.exe";
}

// Quoted for the C runtime's argument splitter; the arguments the tests pass
// hold no quotes or trailing backslashes.
std::wstring CommandLine(const std::vector<std::wstring>& args) {
    std::wstring line = L"\"" + HelperPath() + L"\"";
    for (const std::wstring& arg : args) line += L" \"" + arg + L"\"";
    return line;
}

struct Search {
    DWORD process;
    const std::wstring* className;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[256];
    int length = GetClassNameW(window, name, 256);
    if (process == search->process && IsWindowVisible(window) &&
        std::wstring(name, length > 0 ? length : 0) == *search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HelperProcess::HelperProcess(const std::vector<std::wstring>& args) {
    std::wstring line = CommandLine(args);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

HelperProcess::~HelperProcess() { Stop(); }

HWND HelperProcess::WaitForWindow(const std::wstring& className) const {
    if (!process_) return nullptr;
    Search search{id_, &className, nullptr};
    WaitUntil([&] {
        EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
    });
    return search.found;
}

void HelperProcess::Stop() {
    if (!process_) return;
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, 10000);
    CloseHandle(process_);
    process_ = nullptr;
}

}  // namespace tabwright::test
