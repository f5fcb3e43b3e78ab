#include "host/window_query.h"

#include <algorithm>

namespace tabwright {
namespace {

// Longer captions are read only this far: a misbehaving window must not make
// us allocate whatever length it claims.
constexpr LRESULT kMaxCaptionLength = 32767;

// Class names are at most 256 characters.
constexpr int kClassNameBuffer = 256;

}  // namespace

std::optional<LRESULT> AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT timeoutMs) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                             &answer))
        return std::nullopt;
    return static_cast<LRESULT>(answer);
}

std::optional<std::u16string> AskCaption(HWND window, UINT timeoutMs) {
    std::optional<LRESULT> length = AskWindow(window, WM_GETTEXTLENGTH, 0, 0, timeoutMs);
    if (!length) return std::nullopt;
    if (*length <= 0) return std::u16string();

    std::u16string caption(static_cast<std::size_t>(std::min(*length, kMaxCaptionLength)) + 1,
                           u'\0');
    std::optional<LRESULT> copied =
        AskWindow(window, WM_GETTEXT, caption.size(), reinterpret_cast<LPARAM>(caption.data()),
                  timeoutMs);
    if (!copied) return std::nullopt;
    // The window's own count of what it copied, kept inside our buffer.
    caption.resize(static_cast<std::size_t>(
        std::clamp<LRESULT>(*copied, 0, static_cast<LRESULT>(caption.size()) - 1)));
    return caption;
}

HICON AskIcon(HWND window, WPARAM size, UINT timeoutMs) {
    std::optional<LRESULT> icon = AskWindow(window, WM_GETICON, size, 0, timeoutMs);
    if (!icon) return nullptr;
    if (*icon != 0) return reinterpret_cast<HICON>(*icon);
    return reinterpret_cast<HICON>(
        GetClassLongPtrW(window, size == ICON_BIG ? GCLP_HICON : GCLP_HICONSM));
}

std::u16string ClassNameOf(HWND window) {
    wchar_t name[kClassNameBuffer];
    int length = GetClassNameW(window, name, kClassNameBuffer);
    if (length <= 0) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(name), static_cast<std::size_t>(length));
}

}  // namespace tabwright
