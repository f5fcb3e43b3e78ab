#include "desktop.h"

#include <algorithm>

namespace tabwright::test {
namespace {

// Under Wine two openings of the clipboard without a window do not keep
// each other out, so every opening here has a window of its thread.
HWND OwnWindow() {
    thread_local const HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return window;
}

bool OpenPatiently() { return WaitFor([] { return OpenClipboard(OwnWindow()) != FALSE; }); }

bool Put(UINT format, std::string_view bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    *std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(block))) = '\0';
    GlobalUnlock(block);
    if (SetClipboardData(format, block)) return true;
    GlobalFree(block);
    return false;
}

bool PutCode(std::string_view code, const wchar_t* format) {
    return EmptyClipboard() && Put(CF_TEXT, code) && (!format || Put(RegisterClipboardFormatW(format), code));
}

std::optional<std::wstring> Read(const wchar_t* key, const wchar_t* name) {
    wchar_t text[4096];
    DWORD bytes = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &bytes)) return std::nullopt;
    return text;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, Duration limit) {
    for (const auto end = std::chrono::steady_clock::now() + limit; !done();) {
        if (std::chrono::steady_clock::now() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

std::wstring Beside(const std::wstring& file) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + file;
}

Program::Program(const std::wstring& file, const std::wstring& arguments) {
    std::wstring command = L"\"" + Beside(file) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        CloseHandle(info_.hThread);
}

Program::~Program() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 10000);
    CloseHandle(info_.hProcess);
}

long Program::Wait(Duration limit) {
    DWORD code = 0;
    const bool ended = WaitFor([this] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, limit);
    return info_.hProcess && ended && GetExitCodeProcess(info_.hProcess, &code) ? static_cast<long>(code) : -1;
}

HWND WindowOf(DWORD process, const wchar_t* className, Duration limit) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            DWORD owner = 0;
            for (found = FindWindowExW(nullptr, nullptr, className, nullptr); found;
                 found = FindWindowExW(nullptr, found, className, nullptr))
                if (GetWindowThreadProcessId(found, &owner) && owner == process) return true;
            return false;
        },
        limit);
    return found;
}

std::u16string TextOf(HWND window) {
    std::u16string text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::u16string Utf16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

void Press(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs(2 * keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (INPUT* input : {&inputs[i], &inputs[inputs.size() - 1 - i]}) {
            input->type = INPUT_KEYBOARD;
            input->ki.wVk = keys[i];
            input->ki.wScan = static_cast<WORD>(MapVirtualKeyW(keys[i], MAPVK_VK_TO_VSC));
        }
        inputs[inputs.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool Copy(std::string_view code, const wchar_t* format) {
    if (!OpenPatiently()) return false;
    const bool done = PutCode(code, format);
    CloseClipboard();
    return done;
}

std::u16string ClipboardText() {
    if (!OpenPatiently()) return u"(clipboard held)";
    std::u16string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const char16_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool HostFormatOnClipboard() { return IsClipboardFormatAvailable(RegisterClipboardFormatW(kHostFormat)); }

ClipboardHolder::ClipboardHolder(const char* code) : release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, code] {
        const bool opened = OpenPatiently();
        held_ = opened && (!code || PutCode(code, kHostFormat));
        ready_ = true;
        WaitForSingleObject(release_, 60000);
        if (opened) CloseClipboard();
        DestroyWindow(OwnWindow());
    });
    // Emptying the clipboard asks its owner, maybe a window of this thread.
    WaitFor([this] { return ready_.load(); });
}

ClipboardHolder::~ClipboardHolder() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(release_);
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP)
        for (;;) Sleep(INFINITE);
    return DefWindowProcW(window, message, wParam, lParam);
}

TestWindow::TestWindow(const wchar_t* className, const wchar_t* caption, HWND owner, HICON classIcon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIconSm = classIcon;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
    const DWORD style = (owner ? WS_POPUP | WS_CAPTION : WS_OVERLAPPEDWINDOW) | WS_VISIBLE;
    window_ = CreateWindowExW(0, className, caption, style, -5000, -5000, 200, 120, owner, nullptr,
                              windowClass.hInstance, nullptr);
}

std::optional<std::wstring> Setting(const wchar_t* name) { return Read(L"Software\\Quillmark", name); }

void SetSetting(const wchar_t* name, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quillmark", name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> RunValue() { return Read(L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Quillmark"); }

}  // namespace tabwright::test
