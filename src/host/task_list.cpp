#include "host/task_list.h"

#include <algorithm>
#include <string_view>

#include "host/window_query.h"

namespace tabwright {
namespace {

constexpr std::u16string_view kHostClassPrefix = u"C/SIDE";

bool IsHostWindow(HWND window) {
    return ClassNameOf(window).starts_with(kHostClassPrefix);
}

BOOL CALLBACK CollectHostWindow(HWND window, LPARAM list) {
    if (IsHostWindow(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Top-level windows in Z-order, topmost first. Collected before any message
// is sent, so no window's answer runs inside the enumeration.
std::vector<HWND> HostWindowsInZOrder() {
    std::vector<HWND> found;
    EnumWindows(CollectHostWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND OwnerOf(HWND window) { return GetWindow(window, GW_OWNER); }

bool HasParent(HWND window) { return GetAncestor(window, GA_PARENT) != GetDesktopWindow(); }

}  // namespace

CTaskList::CTaskList()
    : defaultIcon_(LoadIconW(nullptr, IDI_WINLOGO)),
      applicationIcon_(LoadIconW(nullptr, IDI_APPLICATION)) {}

void CTaskList::HungTimeout(int milliseconds) {
    if (milliseconds > 0) hungTimeout_ = milliseconds;
}

void CTaskList::Mode(int mode) {
    if (mode == 0 || mode == 1) mode_ = mode;
}

const TaskEntry* CTaskList::At(int index) const {
    if (index < 1 || index > Count()) return nullptr;
    return &entries_[static_cast<std::size_t>(index - 1)];
}

std::u16string CTaskList::Caption(int index) const {
    const TaskEntry* entry = At(index);
    return entry ? entry->Caption : std::u16string();
}

HWND CTaskList::hWnd(int index) const {
    const TaskEntry* entry = At(index);
    return entry ? entry->hWnd : nullptr;
}

HICON CTaskList::hIcon(int index) const {
    const TaskEntry* entry = At(index);
    if (!entry) return nullptr;
    if (entry->hIcon) return entry->hIcon;
    return mode_ == 0 ? defaultIcon_ : applicationIcon_;
}

HICON CTaskList::hIconSm(int index) const {
    const TaskEntry* entry = At(index);
    if (!entry) return nullptr;
    return entry->hIconSm ? entry->hIconSm : hIcon(index);
}

DWORD CTaskList::ProcessID(int index) const {
    const TaskEntry* entry = At(index);
    return entry ? entry->ProcessID : 0;
}

int CTaskList::Status(int index) const {
    const TaskEntry* entry = At(index);
    if (!entry) return 0;
    return AskWindow(entry->hWnd, WM_NULL, 0, 0, Timeout()) ? 0 : 1;
}

bool CTaskList::Valid(int index, HWND window) {
    if (window) index = GetIndex(window);
    if (!At(index)) return false;
    TaskEntry& entry = entries_[static_cast<std::size_t>(index - 1)];
    if (IsTask(entry.hWnd)) return true;
    entry.hWnd = nullptr;
    Compact();
    return false;
}

int CTaskList::FindIndex(HWND window) const {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [window](const TaskEntry& e) { return e.hWnd == window; });
    return it == entries_.end() ? 0 : static_cast<int>(it - entries_.begin()) + 1;
}

void CTaskList::Refresh() {
    for (TaskEntry& entry : entries_)
        if (!IsWindow(entry.hWnd)) entry.hWnd = nullptr;
    Compact();
    for (HWND window : HostWindowsInZOrder()) AddOrUpdate(window);
}

void CTaskList::Compact() {
    std::erase_if(entries_, [](const TaskEntry& e) { return e.hWnd == nullptr; });
}

// A window that does not answer, or has no caption, leaves the list as it
// was: a listed one keeps its last values, a new one is not added.
void CTaskList::AddOrUpdate(HWND window) {
    // An owned window, such as a dialog, shows its owner's caption and icons.
    HWND asked = OwnerOf(window);
    if (!asked) asked = window;

    std::optional<std::u16string> caption = AskCaption(asked, Timeout());
    if (!caption || caption->empty()) return;

    TaskEntry fresh;
    fresh.hWnd = window;
    fresh.Caption = std::move(*caption);
    fresh.hIcon = AskIcon(asked, ICON_BIG, Timeout());
    fresh.hIconSm = AskIcon(asked, ICON_SMALL, Timeout());
    GetWindowThreadProcessId(window, &fresh.ProcessID);

    if (int index = FindIndex(window))
        entries_[static_cast<std::size_t>(index - 1)] = std::move(fresh);
    else
        entries_.push_back(std::move(fresh));
}

bool CTaskList::IsToolWindow(HWND window) {
    if (!window) return false;
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
}

bool CTaskList::IsTask(HWND window) const {
    if (!IsWindowVisible(window) || HasParent(window)) return false;
    HWND owner = OwnerOf(window);
    if (mode_ == 0) return !IsToolWindow(window) && (!owner || IsToolWindow(owner));
    if (owner) return false;
    return !IsToolWindow(window) || ClassNameOf(window) != u"Progman";
}

}  // namespace tabwright
