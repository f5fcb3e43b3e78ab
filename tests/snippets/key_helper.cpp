// Another process for the hotkey tests: presses keys through SendInput, or
// holds a hotkey so that the program under test finds it taken.
//   key_helper press KEYS...            e.g. press ctrl+72 alt+48 shift+37
//   key_helper hold KEYS READY RELEASE  registers KEYS, signals the event
//                                       READY, waits for the event RELEASE
// KEYS: modifiers (ctrl, alt, shift, win) and a virtual-key code joined by
// "+". Exit code 0 on success.
#include <windows.h>

#include <string>
#include <vector>

namespace {

struct Keys {
    std::vector<WORD> modifiers;
    UINT hotkeyModifiers = 0;
    WORD vkey = 0;
};

Keys Parse(const std::wstring& text) {
    Keys keys;
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = text.find(L'+', start);
        const std::wstring part = text.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start);
        if (part == L"ctrl") {
            keys.modifiers.push_back(VK_CONTROL);
            keys.hotkeyModifiers |= MOD_CONTROL;
        } else if (part == L"alt") {
            keys.modifiers.push_back(VK_MENU);
            keys.hotkeyModifiers |= MOD_ALT;
        } else if (part == L"shift") {
            keys.modifiers.push_back(VK_SHIFT);
            keys.hotkeyModifiers |= MOD_SHIFT;
        } else if (part == L"win") {
            keys.modifiers.push_back(VK_LWIN);
            keys.hotkeyModifiers |= MOD_WIN;
        } else {
            keys.vkey = static_cast<WORD>(std::stoi(part));
        }
        if (plus == std::wstring::npos) return keys;
        start = plus + 1;
    }
}

INPUT Key(WORD vkey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vkey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vkey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool Press(const Keys& keys) {
    std::vector<INPUT> inputs;
    for (WORD modifier : keys.modifiers) inputs.push_back(Key(modifier, false));
    inputs.push_back(Key(keys.vkey, false));
    inputs.push_back(Key(keys.vkey, true));
    for (auto it = keys.modifiers.rbegin(); it != keys.modifiers.rend(); ++it) inputs.push_back(Key(*it, true));
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Each press on its own: the receiver sees them in order.
    Sleep(100);
    return sent == inputs.size();
}

int Hold(const Keys& keys, const wchar_t* ready, const wchar_t* release) {
    HWND window = CreateWindowExW(0, L"STATIC", L"key helper", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!RegisterHotKey(window, 1, keys.hotkeyModifiers, keys.vkey)) return 3;
    HANDLE readyEvent = OpenEventW(EVENT_MODIFY_STATE, FALSE, ready);
    HANDLE releaseEvent = OpenEventW(SYNCHRONIZE, FALSE, release);
    if (!readyEvent || !releaseEvent) return 4;
    SetEvent(readyEvent);
    WaitForSingleObject(releaseEvent, 60000);
    UnregisterHotKey(window, 1);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring mode = argv[1];
    if (mode == L"press") {
        for (int i = 2; i < argc; ++i)
            if (!Press(Parse(argv[i]))) return 1;
        return 0;
    }
    if (mode == L"hold" && argc == 5) return Hold(Parse(argv[2]), argv[3], argv[4]);
    return 2;
}
