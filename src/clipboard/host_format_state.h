// Whether the clipboard carries C/SIDE's own format, as found by the last
// enumeration of the clipboard formats. Kept by the main window; every
// enumeration writes it.
#pragma once

#include <string>

namespace tabwright {

struct HostFormatState {
    // True when the last enumeration found a format named "AL-Source...".
    bool ALSourcePresent = false;
    // Decimal number of the last such format ever found; empty until one is
    // seen, and not cleared by enumerations that find none.
    std::u16string ALSourceFormat;
};

}  // namespace tabwright
