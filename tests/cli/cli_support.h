// Test helpers: a temporary folder, whole-file bytes, and the program run
// in-process with its standard streams captured.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run.h"

namespace tabwright::cli::test {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::random_device random;
        do {
            path_ = fs::temp_directory_path() / ("tabwright-cli-test-" + std::to_string(random()));
        } while (!fs::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    fs::path operator/(std::string_view name) const { return path_ / name; }

    // Everything in the folder, sorted, as names relative to it.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(path_))
            names.push_back(fs::relative(e.path(), path_).generic_string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path path_;
};

inline void WriteBytes(const fs::path& p, std::string_view bytes) {
    std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

inline CliResult RunCli(std::initializer_list<std::string> args, std::string_view input = {}) {
    std::istringstream in{std::string(input)};
    std::ostringstream out, err;
    const std::vector<std::string_view> views(args.begin(), args.end());
    const int status = Run(views, {in, out, err});
    return {status, out.str(), err.str()};
}

// Lines joined with CR LF, each line ending with one.
inline std::string Crlf(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (std::string_view l : lines) out.append(l).append("\r\n");
    return out;
}

}  // namespace tabwright::cli::test
