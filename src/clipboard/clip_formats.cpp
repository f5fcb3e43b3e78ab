#include "clipboard/clip_formats.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "clipboard/clipboard_handles.h"
#include "settings/decimal_text.h"
#include "win32/system_function.h"

namespace tabwright {
namespace {

// C/SIDE registers its clipboard format under a name with this beginning.
constexpr std::u16string_view kHostFormatPrefix = u"AL-Source";

constexpr std::array<std::u16string_view, 16> kStandardNames = {
    u"Text (TXT)",
    u"Bitmap (BMP)",
    u"Metafile (WMF)",
    u"Microsoft Symbolic Link (SYLK)",
    u"Data Interchange Format (DIF)",
    u"Tagged Interchange File Format (TIF)",
    u"OEM Text",
    u"Device Independent Bitmap (DIB)",
    u"Palette",
    u"Pen Data",
    u"RIFF",
    u"Wave",
    u"Unicode Text",
    u"Enhanced Metafile (EMF)",
    u"Dropped Filelist",
    u"Locale Identifier",
};

}  // namespace

CClipFormats::CClipFormats(HostFormatState& state) : state_(state) { Reload(); }

const CClipFormat* CClipFormats::Item(std::int32_t nFmt) const {
    for (const CClipFormat& item : items_) {
        if (item.Format == nFmt) return &item;
    }
    return nullptr;
}

std::u16string CClipFormats::GetName(std::int32_t nFmt) {
    if (nFmt >= 1 && nFmt <= 16) return std::u16string(kStandardNames[static_cast<std::size_t>(nFmt - 1)]);
    std::array<wchar_t, 256> name{};
    const int length = GetClipboardFormatNameW(static_cast<UINT>(nFmt), name.data(), static_cast<int>(name.size()));
    if (length <= 0) return u"Unknown: " + DecimalText(nFmt);
    return std::u16string(reinterpret_cast<const char16_t*>(name.data()), static_cast<std::size_t>(length));
}

void CClipFormats::Reload() {
    items_.clear();
    state_.ALSourcePresent = false;
    ClipboardOpening clipboard(nullptr);
    if (!clipboard) return;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        Add(static_cast<std::int32_t>(format));
}

bool CClipFormats::ReloadUnopened() {
    using ListFunction = BOOL(WINAPI*)(PUINT, UINT, PUINT);
    static const auto list = win32::SystemFunction<ListFunction>(L"user32.dll", "GetUpdatedClipboardFormats");
    if (!list) return false;
    std::vector<UINT> formats(32);
    UINT count = 0;
    while (!list(formats.data(), static_cast<UINT>(formats.size()), &count)) {
        // Too small a buffer: the count says how many there are now, and
        // more may come before the next call.
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
        formats.resize(std::max<std::size_t>(count, formats.size() * 2));
    }
    items_.clear();
    state_.ALSourcePresent = false;
    for (UINT i = 0; i < count && i < formats.size(); ++i) Add(static_cast<std::int32_t>(formats[i]));
    return true;
}

void CClipFormats::Add(std::int32_t format) {
    CClipFormat item{GetName(format), format};
    if (item.Name.starts_with(kHostFormatPrefix)) {
        state_.ALSourcePresent = true;
        state_.ALSourceFormat = DecimalText(item.Format);
    }
    items_.push_back(std::move(item));
}

}  // namespace tabwright
