// Template files read from the real file system.
#pragma once

#include "snippets/template_host.h"

namespace tabwright {

// Windows-1252, the ANSI code page of western European systems. Bytes the
// code page leaves undefined become the control characters of the same
// number, as Windows converts them.
std::u16string DecodeWindows1252(std::string_view bytes);

class DiskFiles final : public FileSource {
public:
    using Decoder = std::u16string (*)(std::string_view bytes);

    // The program passes the conversion of the system's own code page.
    explicit DiskFiles(Decoder decode = DecodeWindows1252) : decode_(decode) {}

    // Reads regular files only (following links): directories, devices,
    // pipes and dangling links give nothing.
    std::optional<std::string> ReadBytes(std::u16string_view name) override;
    std::u16string FromAnsi(std::string_view bytes) override { return decode_(bytes); }

private:
    Decoder decode_;
};

}  // namespace tabwright
