// What template expansion needs from the program around it: the clock, the
// user's name, the stored texts and the files a template may name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabwright {

class FileSource {
public:
    virtual ~FileSource() = default;
    // The whole content of a normal file; nothing when the name is not a
    // normal file or it cannot be opened or read.
    virtual std::optional<std::string> ReadBytes(std::u16string_view name) = 0;
    // Text from bytes in the system's ANSI code page.
    virtual std::u16string FromAnsi(std::string_view bytes) = 0;
};

class TemplateHost {
public:
    virtual ~TemplateHost() = default;
    // Today's date and the time of day in the user's regional formats.
    virtual std::u16string Date() = 0;
    virtual std::u16string Time() = 0;
    // The logged-on user's name as the system gives it; empty when unknown.
    virtual std::u16string User() = 0;
    // A value under the program's registry key; empty when absent.
    virtual std::u16string GetString(std::u16string_view valueName) = 0;
    virtual FileSource& Files() = 0;
};

}  // namespace tabwright
