// Throughput of the formatting routines on a generated C/AL text, beside a
// loop that only cuts the same text into lines and copies them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "calgen.h"
#include "formatter/formatter.h"

namespace {

using tabwright::bench::GenerateCal;
constexpr std::size_t kMB = 1000 * 1000;

const std::u16string& Text(std::size_t megabytes) {
    static std::map<std::size_t, std::u16string> cache;
    auto [it, fresh] = cache.try_emplace(megabytes);
    if (fresh) it->second = GenerateCal(megabytes * kMB);
    return it->second;
}

void ReportRate(benchmark::State& state, std::size_t chars) {
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(chars) / kMB,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

void BM_SplitAndCopy(benchmark::State& state) {
    const std::u16string& text = Text(state.range(0));
    for (auto _ : state) {
        std::u16string out;
        out.reserve(text.size());
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t eol = text.find(u"\r\n", pos);
            std::size_t end = eol == std::u16string::npos ? text.size() : eol + 2;
            out.append(text, pos, end - pos);
            pos = end;
        }
        benchmark::DoNotOptimize(out.data());
    }
    ReportRate(state, text.size());
}

void BM_Nesting(benchmark::State& state, bool sign) {
    const std::u16string& text = Text(state.range(0));
    tabwright::Formatter formatter;
    tabwright::TraceRecorder host(sign, false);
    for (auto _ : state) benchmark::DoNotOptimize(formatter.Nesting(text, host).data());
    ReportRate(state, text.size());
}

void BM_IndentRight(benchmark::State& state) {
    const std::u16string& text = Text(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(tabwright::Indent_Right(text).data());
    ReportRate(state, text.size());
}

BENCHMARK(BM_SplitAndCopy)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Nesting, SignOff, false)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Nesting, SignOn, true)->Arg(10)->Arg(100)->MinTime(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndentRight)->Arg(10)->Unit(benchmark::kMillisecond);

// Prints how the time for ten times the input compares with the time for
// the input (linear growth gives about 10). CPU time, so that other load on
// the machine does not blur it.
class GrowthReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_name.function_name == "BM_Nesting/SignOn" && r.run_type == Run::RT_Iteration)
                times_[r.run_name.args] = r.GetAdjustedCPUTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (times_.count("10") && times_.count("100"))
            std::printf("Growth of Nesting with spacing, 100 MB vs 10 MB: %.2f (linear = 10, target <= 11)\n",
                        times_["100"] / times_["10"]);
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // Keep freed memory in the heap whatever the block size, so that large
    // and small inputs alike reuse warm pages: the growth figure then shows
    // the formatter, not the kernel zeroing fresh pages.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    benchmark::Initialize(&argc, argv);
    GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
