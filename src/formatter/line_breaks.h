// Texts whose line breaks are all bare LF, as a Unix editor writes them. The
// engine cuts lines at CR LF, so such a text is given CR LF breaks for it.
#pragma once

#include <string>
#include <string_view>

namespace tabwright {

// True for a text whose line breaks are all bare LF: at least one LF and
// no CR anywhere.
bool HasBareLfBreaks(std::u16string_view text);

std::u16string LfToCrlf(std::u16string_view text);
std::u16string CrlfToLf(std::u16string_view text);

}  // namespace tabwright
