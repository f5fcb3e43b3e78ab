// A temporary folder, whole files as bytes, and the program run in-process
// with its standard streams captured.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "text_support.h"
#include "cli/run.h"

namespace tabwright::cli::test {

namespace fs = std::filesystem;
using tabwright::test::Crlf;

class TempDir {
public:
    TempDir() {
        std::random_device random;
        do path_ = fs::temp_directory_path() / ("tabwright-cli-test-" + std::to_string(random()));
        while (!fs::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    fs::path operator/(std::string_view name) const { return path_ / name; }
    const fs::path& path() const { return path_; }

    // Everything in the folder, as sorted names relative to it.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(path_)) names.push_back(e.path().lexically_relative(path_).generic_string());
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
    std::string out, err;
};

inline CliResult RunCli(const std::vector<std::string>& args, std::string_view input = {}) {
    std::istringstream in{std::string(input)};
    std::ostringstream out, err;
    const int status = Run(std::vector<std::string_view>(args.begin(), args.end()), {in, out, err});
    return {status, out.str(), err.str()};
}

}  // namespace tabwright::cli::test
