// A template host with a fixed clock and user, stored texts and files in
// memory, which records what expansion asked of it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "snippets/disk_files.h"
#include "snippets/template_host.h"

namespace tabwright::test {

class FakeTemplateHost : public TemplateHost, public FileSource {
public:
    std::u16string Date() override { return date; }
    std::u16string Time() override { return u"13:45:10"; }
    std::u16string User() override { return asked.emplace_back(u"user"), user; }
    std::u16string GetString(std::u16string_view name) override {
        asked.emplace_back(name);
        return stored.contains(std::u16string(name)) ? stored[std::u16string(name)] : u"";
    }
    FileSource& Files() override { return files ? *files : *this; }
    std::optional<std::string> ReadBytes(std::u16string_view name) override {
        asked.emplace_back(u"file " + std::u16string(name));
        return texts.contains(std::u16string(name)) ? std::optional(texts[std::u16string(name)]) : std::nullopt;
    }
    std::u16string FromAnsi(std::string_view bytes) override { return DecodeWindows1252(bytes); }

    std::u16string date = u"24-12-2024", user = u"jdoe";
    std::map<std::u16string, std::u16string> stored;
    std::map<std::u16string, std::string> texts;  // the files
    FileSource* files = nullptr;                  // another file source
    std::vector<std::u16string> asked;            // the user, stored texts and files, in order
};

}  // namespace tabwright::test
