#include "cli/file_job.h"

#include <algorithm>
#include <memory>
#include <ostream>

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
    r.messages = FileMessage(input.name, why);
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

// Where the formatted bytes go as they are made. They are compared with the
// input on the way, then dropped (--check), diffed with the input they stand
// for (--diff), kept, written to a stream, or, from the first byte that
// differs on, written to the temporary file of a rewrite: a file that stays
// the same is not rewritten.
class Output {
public:
    enum class To { Nothing, Diff, Memory, Stream, File };

    Output(std::string_view input, To to, std::ostream* stream, const std::filesystem::path& path, DiffWriter* diff)
        : input_(input), to_(to), stream_(stream), path_(path), diff_(diff) {}

    void operator()(std::string_view piece, std::string_view original) {
        // Lines an export keeps are handed on as the input's own bytes.
        if (!changed_ && piece.data() != input_.data() + made_) {
            const std::string_view same = input_.substr(std::min(made_, input_.size()));
            if (!same.starts_with(piece)) {
                const std::size_t i = static_cast<std::size_t>(
                    std::mismatch(piece.begin(), piece.end(), same.begin(), same.end()).first - piece.begin());
                changed_ = true;
                firstChange_ = made_ + i;
                if (to_ == To::File) StartRewrite();
            }
        }
        made_ += piece.size();
        if (to_ == To::Diff) diff_->Add(original, piece);
        if (to_ == To::Memory) text.append(piece);
        if (to_ == To::Stream) stream_->write(piece.data(), static_cast<std::streamsize>(piece.size()));
        if (rewrite_) {
            pending_.append(piece);
            if (pending_.size() >= (1u << 16)) Flush();
        }
    }

    bool Changed() const { return changed_ || made_ != input_.size(); }

    // 0-based number of the input line where the output first differs.
    std::size_t FirstChangedLine() const {
        const std::size_t at = changed_ ? firstChange_ : std::min(made_, input_.size());
        return static_cast<std::size_t>(std::count(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    }

    // For a rewrite: puts the new contents in place if they differ.
    Outcome<Done> Commit() {
        if (!Changed()) return {Done{}, {}};
        if (!rewrite_) StartRewrite();  // the output is the input cut short
        Flush();
        return rewrite_->Commit();
    }

    std::string text;  // To::Memory

private:
    // What was made before the first difference is the input itself.
    void StartRewrite() {
        rewrite_ = std::make_unique<FileRewrite>(path_);
        rewrite_->Write(input_.substr(0, std::min(made_, input_.size())));
    }
    void Flush() {
        rewrite_->Write(pending_);
        pending_.clear();
    }

    std::string_view input_;
    To to_;
    std::ostream* stream_;
    const std::filesystem::path& path_;
    std::size_t made_ = 0;
    bool changed_ = false;
    std::size_t firstChange_ = 0;
    DiffWriter* diff_;
    std::unique_ptr<FileRewrite> rewrite_;
    std::string pending_;
};

void AddWarning(JobReport& report, const Input& input, std::size_t line, const std::string& message) {
    report.messages += FileMessage(input.name + ":" + std::to_string(line), "warning: " + message);
    report.status = Worse(report.status, ExitStatus::Undelimited);
}

// Lines whose indentation misleads, as compilers' warnings; with
// --indent-errors they fail the run.
void AddIndentation(JobReport& report, const Input& input, const Options& options,
                    const std::vector<IndentWarning>& found) {
    if (!options.indentWarnings) return;
    for (const IndentWarning& w : found)
        report.messages += FileMessage(input.name + ":" + std::to_string(w.line), "warning: " + w.message);
    if (options.indentErrors && !found.empty()) report.status = Worse(report.status, ExitStatus::Misleading);
}

void AddTrace(JobReport& report, const CodeFormatter& formatter) {
    std::string trace;
    for (const std::string& label : formatter.Trace()) trace.append(label).append("\n");
    report.messages.insert(0, trace);
}

// --check: the file on standard output if it would change (with the count
// of its bodies for an export), the first changed line of each on standard
// error.
void AddCheck(JobReport& report, const Input& input, bool changed, const std::size_t* changedBodies,
              const std::vector<std::size_t>& changedLines) {
    if (changed) {
        report.listing = input.name;
        if (changedBodies) report.listing += ": " + BodyCount(*changedBodies) + " would change";
        report.listing += "\n";
        report.status = Worse(report.status, ExitStatus::WouldChange);
    }
    for (std::size_t line : changedLines) report.messages += input.name + ":" + std::to_string(line) + ": would change\n";
}

bool IsBinary(std::string_view bytes) { return bytes.substr(0, 8000).find('\0') != std::string_view::npos; }

constexpr std::size_t kPiece = 1 << 20;

// --check of a named export larger than a piece reads it in pieces: besides
// a piece only the body in hand is held. head is what was read so far.
JobReport CheckExportInPieces(const Input& input, const Options& options, FileReader& file, std::string head) {
    CodeFormatter formatter({options.action, options.sign, options.trace});
    const ObjectFindings found = CheckObjectPieces(
        [&](std::string& buffer, std::size_t size) {
            if (head.empty()) return file.Read(buffer, size);
            buffer.append(head);
            head.clear();
            return true;
        },
        [&file] { file.Rewind(); }, formatter);
    if (!file.Error().empty()) return Failed(input, file.Error());
    JobReport report;
    for (const ObjectWarning& w : found.warnings) AddWarning(report, input, w.line, w.message);
    AddIndentation(report, input, options, found.indentation);
    AddTrace(report, formatter);
    AddCheck(report, input, found.changedBodies > 0, &found.changedBodies, found.changedLines);
    return report;
}

}  // namespace

JobReport FormatInput(const Input& input, const Options& options, const Outcome<ByteBlock>& stdinBytes,
                      std::ostream* out) {
    Outcome<std::string> fileBytes;
    // --check reads a file once: a small one whole, a large export in
    // pieces; for a file that must be an export the first piece tells
    // whether it is. Any other large file is read again, whole.
    if (!input.standardInput && options.check && options.lines.empty() && options.action == Action::Reindent) {
        FileReader file(input.path);
        std::string head;
        bool more = file.Read(head, kPiece);
        if (!file.Error().empty()) return Failed(input, file.Error());
        const bool isExport = LooksLikeObjectExport(head);
        if (!isExport && (input.fromFolder || options.exportsOnly)) return {};
        if (more && isExport && !IsBinary(head)) return CheckExportInPieces(input, options, file, std::move(head));
        fileBytes = more ? ReadFileBytes(input.path) : Outcome<std::string>{std::move(head), {}};
    } else if (!input.standardInput) {
        fileBytes = ReadFileBytes(input.path);
    }
    if (!(input.standardInput ? stdinBytes.error : fileBytes.error).empty())
        return Failed(input, input.standardInput ? stdinBytes.error : fileBytes.error);
    const std::string_view bytes = input.standardInput ? stdinBytes.value->View() : std::string_view(*fileBytes.value);

    JobReport report;
    const bool isExport = LooksLikeObjectExport(bytes);
    // A folder may hold other .txt files than exports; those are not touched.
    // Named or on standard input, such a text goes to standard output as it
    // is, as a filter must give it back.
    if ((input.fromFolder || options.exportsOnly) && !isExport) {
        if (input.fromFolder || options.check || options.diff || options.inPlace) return report;
        if (!out) report.output = std::string(bytes);
        else out->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return report;
    }
    if (IsBinary(bytes)) return Failed(input, "binary, left as it is");

    CodeFormatter formatter({options.action, options.sign, options.trace});
    using To = Output::To;
    const To to = options.check    ? To::Nothing
                  : options.diff    ? To::Diff
                  : options.inPlace ? To::File
                  : out             ? To::Stream
                                    : To::Memory;
    const LineRanges* ranges = options.lines.empty() ? nullptr : &options.lines;
    const Coding coding = CodingOf(bytes);
    const bool asObjects = options.objects || (options.action == Action::Reindent && isExport);
    // The diff goes out hunk by hunk, to the stream when there is one. In
    // plain code a hunk may run as long as the text, so its lines are
    // counted in a first run and written as they come in a second.
    std::vector<std::string> plan;
    const bool counted = options.diff && !asObjects && !ranges;
    if (counted) {
        DiffWriter count(DiffName(input), nullptr);
        CodeFormatter({options.action, options.sign, false})
            .FormatTo(bytes, coding, [&count](std::string_view piece, std::string_view original) { count.Add(original, piece); });
        count.Finish();
        plan = count.Hunks();
    }
    DiffWriter diff(
        DiffName(input),
        [&report, out](std::string_view piece) {
            if (out) out->write(piece.data(), static_cast<std::streamsize>(piece.size()));
            else report.output.append(piece);
        },
        counted ? &plan : nullptr);
    Output output(bytes, to, out, input.path, &diff);
    const auto sink = [&output](std::string_view piece, std::string_view original) { output(piece, original); };
    std::size_t changedBodies = 0;
    std::vector<std::size_t> changedLines;
    if (asObjects) {
        ObjectFindings found = FormatObjectFile(bytes, coding, formatter, ranges, sink);
        changedBodies = found.changedBodies;
        changedLines = std::move(found.changedLines);
        for (const ObjectWarning& w : found.warnings) AddWarning(report, input, w.line, w.message);
        AddIndentation(report, input, options, found.indentation);
    } else {
        Unclosed open;
        if (ranges) {
            output(Encode(formatter.FormatLines(Decode(bytes, coding), *ranges), coding), bytes);
            open = formatter.OpenBlocks();
        } else {
            open = formatter.FormatTo(bytes, coding, sink);
        }
        if (open.count > 0)
            AddWarning(report, input, open.firstLine,
                       "the text ends with " + std::to_string(open.count) + (open.count == 1 ? " block" : " blocks") +
                           " still open, the first opened on this line");
        AddIndentation(report, input, options, formatter.Warnings());
        if (output.Changed()) changedLines.push_back(output.FirstChangedLine() + 1);
    }
    AddTrace(report, formatter);

    const bool changed = output.Changed();
    if (options.check) {
        AddCheck(report, input, changed, asObjects ? &changedBodies : nullptr, changedLines);
    } else if (options.diff) {
        diff.Finish();
        if (changed) report.status = Worse(report.status, ExitStatus::WouldChange);
    } else if (options.inPlace) {
        const Outcome<Done> replaced = output.Commit();
        if (!replaced) {
            JobReport failed = Failed(input, replaced.error);
            failed.messages.insert(0, report.messages);
            return failed;
        }
    } else {
        report.output = std::move(output.text);
    }
    return report;
}

}  // namespace tabwright::cli
