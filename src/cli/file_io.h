// Reading and rewriting files as bytes. A rewrite goes to a temporary file
// in the same folder that is renamed over the original, so a failure at any
// point leaves the original as it was.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tabwright::cli {

// On failure returns false and sets error to a short reason.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error);

std::string ReadStreamBytes(std::istream& in);

// Replaces the contents of an existing regular file, keeping its
// permissions. A symbolic link is followed, not replaced.
bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         std::string& error);

}  // namespace tabwright::cli
