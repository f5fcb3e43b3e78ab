#include "cli/options.h"

namespace tabwright::cli {
namespace {

ParsedOptions Fail(std::string message) { return {std::nullopt, std::move(message)}; }

}  // namespace

ParsedOptions ParseOptions(std::span<const std::string_view> args) {
    Options o;
    bool shiftLeft = false, shiftRight = false, onlyFiles = false;
    for (std::string_view a : args) {
        if (onlyFiles || a == "-" || !a.starts_with('-')) o.inputs.emplace_back(a);
        else if (a == "--") onlyFiles = true;
        else if (a == "--sign") o.sign = true;
        else if (a == "--no-sign") o.sign = false;
        else if (a == "--shift-left") shiftLeft = true;
        else if (a == "--shift-right") shiftRight = true;
        else if (a == "--trace") o.trace = true;
        else if (a == "-i") o.inPlace = true;
        else if (a == "--check" || a == "-n" || a == "--dry-run") o.check = true;
        else if (a == "--diff") o.diff = true;
        else if (a == "--objects") o.objects = true;
        else if (a == "--exports-only") o.exportsOnly = o.objects = true;
        else if (a == "--lsp") o.lsp = true;
        else if (a == "--no-indent-warnings") o.indentWarnings = false;
        else if (a == "--indent-errors") o.indentErrors = true;
        else if (a.starts_with("--lines=")) {
            const auto range = ParseLineRange(a.substr(8));
            if (!range) return Fail("--lines needs FIRST:LAST with 1 <= FIRST <= LAST, not '" +
                                    std::string(a.substr(8)) + "'");
            o.lines.push_back(*range);
        }
        else if (a == "--help" || a == "-h") o.help = true;
        else if (a == "--version") o.version = true;
        else return Fail("unknown option '" + std::string(a) + "' (see --help)");
    }
    if (o.help || o.version) return {o, {}};
    if (o.indentErrors && !o.indentWarnings) return Fail("--indent-errors and --no-indent-warnings exclude each other");

    if (shiftLeft && shiftRight) return Fail("--shift-left and --shift-right exclude each other");
    if (shiftLeft) o.action = Action::ShiftLeft;
    if (shiftRight) o.action = Action::ShiftRight;
    if ((o.objects || !o.lines.empty()) && o.action != Action::Reindent)
        return Fail("--objects, --exports-only and --lines cannot be combined with --shift-left or "
                    "--shift-right");
    if (o.inPlace + o.check + o.diff > 1) return Fail("-i, --check and --diff exclude each other");
    if (!o.lines.empty() && o.inputs.size() > 1) return Fail("--lines goes with one FILE");
    if (o.lsp && (o.inPlace || o.check || o.diff || o.objects || !o.lines.empty() ||
                  o.action != Action::Reindent || !o.inputs.empty()))
        return Fail("--lsp takes only --sign, --no-sign, --trace and --no-indent-warnings");
    if (o.inPlace) {
        if (o.inputs.empty()) return Fail("-i needs at least one file");
        for (const std::string& f : o.inputs)
            if (f == "-") return Fail("-i cannot rewrite standard input");
    }
    return {o, {}};
}

std::string UsageText() {
    return "usage: tabwright-format [options] [FILE|FOLDER...]\n"
           "\n"
           "Re-indents C/AL code and spaces its operators. Without FILE, or with -,\n"
           "reads standard input and writes standard output. Bytes are kept as they\n"
           "are; files with bare LF line breaks keep them.\n"
           "\n"
           "options:\n"
           "  --sign          put one blank before and after operators (default)\n"
           "  --no-sign       leave operators as they are\n"
           "  --shift-left    move every line one step (two blanks) left instead\n"
           "  --shift-right   move every line one step right instead\n"
           "  --objects       treat files as exported objects: format only the\n"
           "                  trigger and procedure bodies (automatic for a file\n"
           "                  whose first line begins with \"OBJECT \"); a FOLDER is\n"
           "                  searched for exported objects in .txt files\n"
           "  --exports-only  like --objects, and files that are not exported objects\n"
           "                  are left alone (for hooks that pass every .txt file)\n"
           "  --lines=FIRST:LAST\n"
           "                  format only these lines, or in an exported object the\n"
           "                  bodies that hold them; may be repeated; one FILE only\n"
           "  -i              rewrite the files in place, keeping owner, group, mode\n"
           "                  and extended attributes (files with several hard\n"
           "                  links, or that you may not write, are refused)\n"
           "  --check, -n, --dry-run\n"
           "                  write nothing; list the files that would change, and\n"
           "                  FILE:LINE: would change on stderr for the first changed\n"
           "                  line of each file or body\n"
           "  --diff          write a unified diff of what would change\n"
           "  --no-indent-warnings\n"
           "                  do not report lines whose indentation places them in\n"
           "                  another statement than C/AL does (FILE:LINE: warning:\n"
           "                  ... on stderr, in every mode)\n"
           "  --indent-errors report them and exit with status 4\n"
           "  --lsp           serve the Language Server Protocol on stdin and stdout\n"
           "  --trace         write the labels of the rules that fired to stderr\n"
           "  --help          show this text\n"
           "  --version       show the version\n"
           "\n"
           "exit status: 0 done, 1 --check or --diff found files that would change,\n"
           "2 usage, file, binary input or out of memory, 3 an object body could not\n"
           "be delimited and was left as it is, 4 --indent-errors found misleading\n"
           "indentation.\n";
}

}  // namespace tabwright::cli
