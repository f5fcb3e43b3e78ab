// Reading and rewriting files as bytes. A rewrite goes to a temporary file
// in the same folder that is renamed over the original, so a failure at any
// point leaves the original as it was.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace tabwright::cli {

// A value, or the short reason why there is none.
template <typename T>
struct Outcome {
    std::optional<T> value;
    std::string error;

    static Outcome Failed(std::string why) { return {std::nullopt, std::move(why)}; }
    explicit operator bool() const { return value.has_value(); }
};
struct Done {};

Outcome<std::string> ReadFileBytes(const std::filesystem::path& path);
Outcome<std::string> ReadStreamBytes(std::istream& in);

// Replaces the contents of an existing regular file, keeping its
// permissions. A symbolic link is followed, not replaced.
Outcome<Done> ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tabwright::cli
