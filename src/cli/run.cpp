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

JobReport SafeFormat(const Input& input, const Options& options, const std::string& stdinBytes) {
    try {
        return FormatInput(input, options, stdinBytes);
    } catch (const std::exception& e) {
        return {kExitError, {}, {}, "tabwright-format: " + input.name + ": " + e.what() + "\n"};
    }
}

int Print(JobReport&& report, Streams& io) {
    io.out.write(report.output.data(), static_cast<std::streamsize>(report.output.size()));
    io.out << report.listing;
    io.err << report.messages;
    return report.status;
}

// Formats every input, printing the reports in input order as they finish.
int FormatAll(const std::vector<Input>& inputs, const Options& options,
              const std::string& stdinBytes, Streams& io) {
    int status = kExitOk;
#ifdef TABWRIGHT_ONE_THREAD
    for (const Input& input : inputs)
        status = WorseStatus(status, Print(SafeFormat(input, options, stdinBytes), io));
#else
    const std::size_t workers =
        std::min<std::size_t>(inputs.size(), std::max(1u, std::thread::hardware_concurrency()));
    std::vector<JobReport> reports(inputs.size());
    std::vector<bool> done(inputs.size(), false);
    std::size_t next = 0;
    std::mutex mutex;
    std::condition_variable finished;

    std::vector<std::thread> threads;
    for (std::size_t w = 1; w < workers; ++w)
        threads.emplace_back([&] {
            for (;;) {
                std::size_t i;
                {
                    std::lock_guard lock(mutex);
                    if (next == inputs.size()) return;
                    i = next++;
                }
                JobReport report = SafeFormat(inputs[i], options, stdinBytes);
                std::lock_guard lock(mutex);
                reports[i] = std::move(report);
                done[i] = true;
                finished.notify_all();
            }
        });
    // This thread prints, and formats too whenever the next report to print
    // is not ready.
    for (std::size_t printed = 0; printed < inputs.size(); ++printed) {
        std::unique_lock lock(mutex);
        while (!done[printed] && next < inputs.size()) {
            const std::size_t i = next++;
            lock.unlock();
            JobReport report = SafeFormat(inputs[i], options, stdinBytes);
            lock.lock();
            reports[i] = std::move(report);
            done[i] = true;
        }
        finished.wait(lock, [&] { return done[printed]; });
        JobReport report = std::move(reports[printed]);
        lock.unlock();
        status = WorseStatus(status, Print(std::move(report), io));
    }
    for (std::thread& t : threads) t.join();
#endif
    return status;
}

}  // namespace

int Run(std::span<const std::string_view> args, Streams io) {
    const ParsedOptions parsed = ParseOptions(args);
    if (!parsed.options) {
        io.err << "tabwright-format: " << parsed.error << "\n";
        return kExitError;
    }
    const Options& options = *parsed.options;
    if (options.help) {
        io.out << UsageText();
        return kExitOk;
    }
    if (options.version) {
        io.out << "tabwright-format " << TABWRIGHT_VERSION << "\n";
        return kExitOk;
    }

    if (options.lsp) return ServeLsp(io.in, io.out, {options.action, options.sign, false});

    const InputList list = CollectInputs(options);
    int status = kExitOk;
    for (const std::string& e : list.errors) {
        io.err << "tabwright-format: " << e << "\n";
        status = kExitError;
    }
    const bool readsStdin = std::any_of(list.inputs.begin(), list.inputs.end(),
                                        [](const Input& i) { return i.standardInput; });
    const std::string stdinBytes = readsStdin ? ReadStreamBytes(io.in) : std::string();
    status = WorseStatus(status, FormatAll(list.inputs, options, stdinBytes, io));
    if (!io.out.flush()) {
        io.err << "tabwright-format: cannot write to standard output\n";
        status = kExitError;
    }
    return status;
}

}  // namespace tabwright::cli
