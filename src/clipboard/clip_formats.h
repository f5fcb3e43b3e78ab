// The formats currently on the clipboard, in the clipboard's own order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "clipboard/host_format_state.h"

namespace tabwright {

struct CClipFormat {
    std::u16string Name;
    std::int32_t Format = 0;
};

class CClipFormats {
public:
    // Enumerates the clipboard once.
    explicit CClipFormats(HostFormatState& state);

    // The entry of format number nFmt, or null when the clipboard lacks it.
    const CClipFormat* Item(std::int32_t nFmt) const;
    std::size_t Count() const { return items_.size(); }
    std::vector<CClipFormat>::const_iterator begin() const { return items_.begin(); }
    std::vector<CClipFormat>::const_iterator end() const { return items_.end(); }

    // Display name: fixed names for the standard formats 1 to 16, otherwise
    // the registered name, or "Unknown: " and the number.
    static std::u16string GetName(std::int32_t nFmt);

    // Enumerates the clipboard again and rewrites the host-format state. When
    // the clipboard cannot be opened the collection stays empty.
    void Reload();
    // The same from the system's list of the formats, which needs no opening
    // of the clipboard. False, with nothing changed, where the system has no
    // such list.
    bool ReloadUnopened();

private:
    void Add(std::int32_t format);

    HostFormatState& state_;
    std::vector<CClipFormat> items_;
};

}  // namespace tabwright
