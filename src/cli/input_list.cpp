#include "cli/input_list.h"

#include <algorithm>
#include <unordered_set>

#include "cli/file_io.h"

namespace tabwright::cli {
namespace fs = std::filesystem;
namespace {

bool HasTxtExtension(const fs::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return ext == ".txt";
}

// The path as shown in messages; on Windows a name the code page cannot
// show comes out as UTF-8 rather than not at all.
std::string DisplayName(const fs::path& p) {
    try {
        return p.string();
    } catch (const std::exception&) {
        const std::u8string utf8 = p.u8string();
        return std::string(utf8.begin(), utf8.end());
    }
}

void WalkFolder(const std::string& name, InputList& list) {
    std::error_code ec;
    std::vector<fs::path> found;
    fs::recursive_directory_iterator it(name, ec), end;
    // Regular files only, as git sees a tree: a link is not followed.
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (fs::is_regular_file(it->symlink_status(typeError)) && HasTxtExtension(it->path()))
            found.push_back(it->path());
    }
    if (ec) {
        list.errors.push_back(name + ": cannot read folder: " + ec.message());
        return;
    }
    std::sort(found.begin(), found.end());
    for (fs::path& p : found) list.inputs.push_back({DisplayName(p), std::move(p), false, true});
}

}  // namespace

InputList CollectInputs(const Options& options) {
    InputList list;
    if (options.inputs.empty()) list.inputs.push_back({"<stdin>", {}, true, false});
    for (const std::string& name : options.inputs) {
        std::error_code ec;
        if (name == "-") {
            list.inputs.push_back({"<stdin>", {}, true, false});
        } else if (!fs::is_directory(name, ec)) {
            list.inputs.push_back({name, fs::path(name), false, false});
        } else if (options.objects) {
            WalkFolder(name, list);
        } else {
            list.errors.push_back(name + ": is a folder; use --objects to format the exported "
                                         "objects in it");
        }
    }
    // A file reached twice (named twice, or through a link) goes once, where
    // it came first.
    std::unordered_set<std::string> seen;
    std::erase_if(list.inputs, [&seen](const Input& input) {
        if (input.standardInput) return false;
        const std::string id = FileIdentity(input.path);
        return !id.empty() && !seen.insert(id).second;
    });
    return list;
}

}  // namespace tabwright::cli
