// Template expansion on Windows: the user's regional date and time formats,
// the network user name, the program's registry key and files read in the
// system's ANSI code page.
#pragma once

#include "snippets/disk_files.h"
#include "snippets/template_host.h"

namespace tabwright {

class WindowsTemplateHost final : public TemplateHost {
public:
    WindowsTemplateHost();

    std::u16string Date() override;
    std::u16string Time() override;
    std::u16string User() override;
    std::u16string GetString(std::u16string_view valueName) override;
    FileSource& Files() override { return files_; }

private:
    DiskFiles files_;
};

}  // namespace tabwright
