#include "cli/file_job.h"

#include <algorithm>

#include "cli/byte_text.h"
#include "cli/code_formatter.h"
#include "cli/file_io.h"
#include "cli/object_file.h"
#include "cli/run.h"
#include "cli/text_diff.h"

namespace tabwright::cli {
namespace {

std::string BodyCount(std::size_t n) { return std::to_string(n) + (n == 1 ? " body" : " bodies"); }

JobReport Failed(const Input& input, const std::string& why) {
    JobReport r;
    r.status = ExitStatus::Error;
    r.messages = Message(input.name + ": " + why);
    return r;
}

// The path a diff names: standard input is "-".
std::string DiffName(const Input& input) {
    if (input.standardInput) return "-";
    std::string name = input.name;
#ifdef _WIN32
    std::replace(name.begin(), name.end(), '\\', '/');
#endif
    while (name.starts_with("./")) name.erase(0, 2);
    return name;
}

}  // namespace

JobReport FormatInput(const Input& input, const Options& options, const Outcome<std::string>& stdinBytes) {
    Outcome<std::string> fileBytes;
    if (!input.standardInput) fileBytes = ReadFileBytes(input.path);
    const Outcome<std::string>& read = input.standardInput ? stdinBytes : fileBytes;
    if (!read) return Failed(input, read.error);
    const std::string& bytes = *read.value;

    JobReport report;
    const bool isExport = LooksLikeObjectExport(bytes);
    // A folder may hold other .txt files than exports; those are not touched.
    if ((input.fromFolder || options.exportsOnly) && !isExport) return report;
    if (std::string_view(bytes).substr(0, 8000).find('\0') != std::string_view::npos)
        return Failed(input, "binary, left as it is");

    CodeFormatter formatter({options.action, options.sign, options.trace});
    std::string formatted;
    std::size_t changedBodies = 0;
    std::vector<std::size_t> changedLines;
    const LineRanges* ranges = options.lines.empty() ? nullptr : &options.lines;
    const bool asObjects = options.objects || (options.action == Action::Reindent && isExport);
    if (asObjects) {
        ObjectFileResult result = FormatObjectFile(bytes, formatter, ranges);
        formatted = std::move(result.bytes);
        changedBodies = result.changedBodies;
        changedLines = std::move(result.changedLines);
        for (const ObjectWarning& w : result.warnings)
            report.messages += Message(input.name + ":" + std::to_string(w.line) + ": warning: " + w.message);
        if (!result.warnings.empty()) report.status = ExitStatus::Undelimited;
    } else {
        formatted = ranges ? Narrow(formatter.FormatLines(Widen(bytes), *ranges)) : formatter.Format(bytes);
        if (formatted != bytes) changedLines.push_back(FirstChangedLine(bytes, formatted) + 1);
    }
    std::string trace;
    for (const std::string& label : formatter.Trace()) trace.append(label).append("\n");
    report.messages.insert(0, trace);

    const bool changed = formatted != bytes;
    if (options.check) {
        if (changed) {
            report.listing = input.name;
            if (asObjects) report.listing += ": " + BodyCount(changedBodies) + " would change";
            report.listing += "\n";
            report.status = Worse(report.status, ExitStatus::WouldChange);
        }
        for (std::size_t line : changedLines)
            report.messages += input.name + ":" + std::to_string(line) + ": would change\n";
    } else if (options.diff) {
        report.output = UnifiedDiff(bytes, formatted, DiffName(input));
        if (changed) report.status = Worse(report.status, ExitStatus::WouldChange);
    } else if (options.inPlace) {
        const Outcome<Done> replaced = changed ? ReplaceFileContents(input.path, formatted) : Outcome<Done>{Done{}, {}};
        if (!replaced) {
            JobReport failed = Failed(input, replaced.error);
            failed.messages.insert(0, report.messages);
            return failed;
        }
    } else {
        report.output = std::move(formatted);
    }
    return report;
}

}  // namespace tabwright::cli
