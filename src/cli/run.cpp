#include "cli/run.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>

#include "cli/file_io.h"
#include "cli/file_job.h"
#include "cli/input_list.h"
#include "cli/lsp_server.h"
#include "cli/options.h"

// libstdc++ built for the win32 thread model has no std::thread; the files
// are then formatted one after the other.
#if defined(__GLIBCXX__) && !defined(_GLIBCXX_HAS_GTHREADS)
#define TABWRIGHT_ONE_THREAD 1
#else
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace tabwright::cli {
namespace {

JobReport SafeFormat(const Input& input, const Options& options, const Outcome<ByteBlock>& stdinBytes,
                     std::ostream* out = nullptr) {
    try {
        return FormatInput(input, options, stdinBytes, out);
    } catch (const std::bad_alloc&) {
        return {ExitStatus::Error, {}, {}, FileMessage(input.name, "out of memory")};
    } catch (const std::exception& e) {
        return {ExitStatus::Error, {}, {}, FileMessage(input.name, e.what())};
    }
}

ExitStatus Print(JobReport&& report, Streams& io) {
    io.out.write(report.output.data(), static_cast<std::streamsize>(report.output.size()));
    io.out << report.listing;
    io.err << report.messages;
    return report.status;
}

// Formats every input, printing the reports in input order as they finish.
// Formatted text for standard output is written as it is made, one input
// after the other, so that it is never held whole. So is the diff of the
// input whose turn it is to be printed, when no other thread took it.
ExitStatus FormatAll(const std::vector<Input>& inputs, const Options& options,
                     const Outcome<ByteBlock>& stdinBytes, Streams& io) {
    ExitStatus status = ExitStatus::Ok;
    const bool toStandardOutput = !options.check && !options.diff && !options.inPlace;
#ifndef TABWRIGHT_ONE_THREAD
    if (toStandardOutput)
#endif
    {
        const bool streamed = toStandardOutput || options.diff;
        for (const Input& input : inputs)
            status = Worse(status, Print(SafeFormat(input, options, stdinBytes, streamed ? &io.out : nullptr), io));
        return status;
    }
#ifndef TABWRIGHT_ONE_THREAD
    const std::size_t workers =
        std::min<std::size_t>(inputs.size(), std::max(1u, std::thread::hardware_concurrency()));
    std::vector<JobReport> reports(inputs.size());
    std::vector<bool> taken(inputs.size(), false), done(inputs.size(), false);
    std::size_t next = 0;
    std::mutex mutex;
    std::condition_variable finished;

    // Takes the next input, formats it and stores its report; false when
    // every input is taken. Called with the lock held, returns with it held.
    const auto formatNext = [&](std::unique_lock<std::mutex>& lock) {
        while (next < inputs.size() && taken[next]) ++next;
        if (next == inputs.size()) return false;
        const std::size_t i = next++;
        taken[i] = true;
        lock.unlock();
        JobReport report = SafeFormat(inputs[i], options, stdinBytes);
        lock.lock();
        reports[i] = std::move(report);
        done[i] = true;
        finished.notify_all();
        return true;
    };

    std::vector<std::thread> threads;
    for (std::size_t w = 1; w < workers; ++w)
        threads.emplace_back([&] {
            std::unique_lock lock(mutex);
            while (formatNext(lock)) {}
        });
    // This thread prints, and formats too whenever the next report to print
    // is not ready.
    for (std::size_t printed = 0; printed < inputs.size(); ++printed) {
        std::unique_lock lock(mutex);
        if (options.diff && !taken[printed]) {
            taken[printed] = true;
            lock.unlock();
            status = Worse(status, Print(SafeFormat(inputs[printed], options, stdinBytes, &io.out), io));
            continue;
        }
        while (!done[printed] && formatNext(lock)) {}
        finished.wait(lock, [&] { return done[printed]; });
        JobReport report = std::move(reports[printed]);
        lock.unlock();
        status = Worse(status, Print(std::move(report), io));
    }
    for (std::thread& t : threads) t.join();
#endif
    return status;
}

// Help and version text; writing them is the whole run.
int Show(Streams& io, const std::string& text) {
    if (io.out << text && io.out.flush()) return ExitCode(ExitStatus::Ok);
    io.err << Message("cannot write to standard output");
    return ExitCode(ExitStatus::Error);
}

}  // namespace

std::string Message(std::string_view text) {
    std::string line("tabwright-format: ");
    return line.append(text).append("\n");
}

std::string FileMessage(std::string_view where, std::string_view text) {
    return std::string(where).append(": ").append(text).append("\n");
}

int Run(std::span<const std::string_view> args, Streams io) {
    const ParsedOptions parsed = ParseOptions(args);
    if (!parsed.options) {
        io.err << Message(parsed.error);
        return ExitCode(ExitStatus::Error);
    }
    const Options& options = *parsed.options;
    if (options.help) return Show(io, UsageText());
    if (options.version) return Show(io, std::string("tabwright-format ") + TABWRIGHT_VERSION + "\n");

    if (options.lsp) return ServeLsp(io.in, io.out, {options.action, options.sign, false, options.indentWarnings});

    const InputList list = CollectInputs(options);
    ExitStatus status = ExitStatus::Ok;
    for (const std::string& e : list.errors) {
        io.err << e << '\n';  // each names its path first
        status = ExitStatus::Error;
    }
    const bool readsStdin = std::any_of(list.inputs.begin(), list.inputs.end(),
                                        [](const Input& i) { return i.standardInput; });
    const Outcome<ByteBlock> stdinBytes = readsStdin ? ReadStreamBytes(io.in) : Outcome<ByteBlock>{ByteBlock(), {}};
    status = Worse(status, FormatAll(list.inputs, options, stdinBytes, io));
    if (!io.out.flush()) {
        io.err << Message("cannot write to standard output");
        status = ExitStatus::Error;
    }
    return ExitCode(status);
}

}  // namespace tabwright::cli
