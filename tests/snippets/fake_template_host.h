// A template host with a fixed clock, user, registry and set of files, which
// records what expansion asked of it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "snippets/disk_files.h"
#include "snippets/template_host.h"

namespace tabwright::test {

class FakeFiles : public FileSource {
public:
    std::optional<std::string> ReadBytes(std::u16string_view name) override {
        asked.emplace_back(name);
        const auto found = files.find(std::u16string(name));
        if (found == files.end()) return std::nullopt;
        return found->second;
    }
    std::u16string FromAnsi(std::string_view bytes) override { return decode(bytes); }

    std::map<std::u16string, std::string> files;
    DiskFiles::Decoder decode = DecodeWindows1252;
    std::vector<std::u16string> asked;
};

class FakeTemplateHost : public TemplateHost {
public:
    std::u16string Date() override { return date; }
    std::u16string Time() override { return time; }
    std::u16string User() override {
        ++userCalls;
        return user;
    }
    std::u16string GetString(std::u16string_view valueName) override {
        read.emplace_back(valueName);
        const auto found = stored.find(std::u16string(valueName));
        return found == stored.end() ? std::u16string() : found->second;
    }
    FileSource& Files() override { return *files; }

    std::u16string date = u"24-12-2024";
    std::u16string time = u"13:45:10";
    std::u16string user = u"jdoe";
    std::map<std::u16string, std::u16string> stored;
    FakeFiles ownFiles;
    FileSource* files = &ownFiles;
    int userCalls = 0;
    std::vector<std::u16string> read;
};

}  // namespace tabwright::test
