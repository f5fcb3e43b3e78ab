#include "clipboard/clip_formats.h"

#include <windows.h>

#include <array>
#include <string_view>

#include "clipboard/clipboard_handles.h"
#include "settings/decimal_text.h"

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
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        CClipFormat item{GetName(static_cast<std::int32_t>(format)), static_cast<std::int32_t>(format)};
        if (item.Name.starts_with(kHostFormatPrefix)) {
            state_.ALSourcePresent = true;
            state_.ALSourceFormat = DecimalText(item.Format);
        }
        items_.push_back(std::move(item));
    }
}

}  // namespace tabwright
