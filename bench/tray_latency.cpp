// Measures how long the running Tabwright.exe takes from a copy in C/SIDE to
// the formatted text on the clipboard. Plays C/SIDE itself: puts new code
// with the host format on the clipboard, then watches the clipboard until it
// holds exactly what the engine makes of that code. Then the same for copies
// of 2 MB, while another thread asks the program's window for an answer
// (WM_NULL) every 10 ms and keeps the longest wait.
// Usage: tray_latency [COPIES] [LARGE_COPIES]
//   (prints the median, 95th percentile and worst, in ms)
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "calgen.h"
#include "desktop.h"
#include "formatter/formatter.h"

namespace {

using namespace tabwright::test;

constexpr char kSample[] =
    "IF Customer.FIND('-') THEN BEGIN\r\n"
    "REPEAT\r\n"
    "IF Customer.Blocked THEN\r\n"
    "Counter:=Counter+1\r\n"
    "ELSE BEGIN\r\n"
    "CASE Customer.Type OF\r\n"
    "1:\r\n"
    "Total:=Total+Customer.Amount*Rate/100;\r\n"
    "END;\r\n"
    "END;\r\n"
    "UNTIL Customer.NEXT=0;\r\n"
    "END;\r\n";

constexpr std::size_t kLargeChars = 2 * 1000 * 1000;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Now() {
    LARGE_INTEGER zero{}, now;
    QueryPerformanceCounter(&now);
    return Milliseconds(zero, now);
}

std::u16string Engine(const std::string& code) {
    tabwright::Formatter formatter;
    tabwright::TraceRecorder host(true, false);
    return formatter.Nesting(std::u16string(code.begin(), code.end()), host);
}

// Copies code and waits until the clipboard holds expected; the time in ms,
// or a negative number after limitMs. The host format stays until the
// program replaces the content, and asking for it does not open the
// clipboard; the text itself is read only once the format is gone.
double CopyAndWait(const std::string& code, const std::u16string& expected, double limitMs) {
    const double start = Now();
    if (!Copy(code)) {
        std::fprintf(stderr, "the clipboard could not be written\n");
        return -1;
    }
    for (;;) {
        const double now = Now();
        if (now - start > limitMs) {
            std::fprintf(stderr, "not formatted within %.0f ms (host format %s, text %s)\n", limitMs,
                         HostFormatOnClipboard() ? "still there" : "gone",
                         ClipboardText() == expected ? "as expected" : "different");
            return -1;
        }
        if (!HostFormatOnClipboard() && ClipboardText() == expected) return now - start;
        // As the clipboard's owner we are told when the program empties
        // it, and it waits for that message to be answered.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
}

struct Figures {
    double median, p95, worst, best;
};

Figures Summary(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2 ? times[times.size() / 2]
                                            : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    // Nearest rank: the smallest time that at least 95 % of the copies took.
    const std::size_t rank = (times.size() * 95 + 99) / 100;
    return {median, times[rank - 1], times.back(), times.front()};
}

// Asks the window for an answer every 10 ms from a thread of its own while
// it lives; the longest wait for one, in ms.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window)
        : thread_([this, window] {
              while (!stop_) {
                  const double start = Now();
                  DWORD_PTR result = 0;
                  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
                  const double waited = Now() - start;
                  if (waited > worst_) worst_ = waited;
                  ++probes_;
                  Sleep(10);
              }
          }) {}
    ~AnswerProbe() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    double Worst() const { return worst_; }
    int Probes() const { return probes_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<double> worst_{0};
    std::atomic<int> probes_{0};
    std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
    const int copies = argc > 1 ? std::atoi(argv[1]) : 100;
    const int largeCopies = argc > 2 ? std::atoi(argv[2]) : 5;
    if (copies < 1 || largeCopies < 0) {
        std::fprintf(stderr, "usage: tray_latency [COPIES] [LARGE_COPIES]   (COPIES at least 1)\n");
        return 2;
    }
    std::vector<double> times;
    unsigned phase = 1;
    for (int i = 0; i < copies; ++i) {
        // Each copy differs, so that the program sees new text every time.
        const std::string code = "// copy " + std::to_string(i) + "\r\n" + kSample;
        const std::u16string expected = Engine(code);
        // Copies come at any moment of the program's 250 ms tick, as a
        // user's do; right after the last result they would all come just
        // after a tick.
        phase = phase * 1103515245u + 12345u;
        Sleep((phase >> 16) % 250);
        const double time = CopyAndWait(code, expected, 5000);
        if (time < 0) return 1;
        times.push_back(time);
    }
    const Figures small = Summary(times);
    std::printf("copies: %d\nmedian: %.1f ms\np95: %.1f ms\nworst: %.1f ms\nbest: %.1f ms\n", copies, small.median,
                small.p95, small.worst, small.best);
    if (largeCopies == 0) return 0;

    const HWND window = FindWindowW(L"Kestrel", nullptr);
    const std::u16string generated = tabwright::bench::GenerateCal(kLargeChars);
    const std::string body(generated.begin(), generated.end());
    std::vector<double> large;
    double worstAnswer = 0;
    int probes = 0;
    for (int i = 0; i < largeCopies; ++i) {
        const std::string code = "// large copy " + std::to_string(i) + "\r\n" + body;
        const std::u16string expected = Engine(code);
        AnswerProbe probe(window);
        const double time = CopyAndWait(code, expected, 120000);
        probe.Stop();
        if (time < 0) return 1;
        large.push_back(time);
        worstAnswer = std::max(worstAnswer, probe.Worst());
        probes += probe.Probes();
    }
    const Figures big = Summary(large);
    std::printf("2 MB copies: %d (%zu characters)\n2 MB median: %.1f ms\n2 MB worst: %.1f ms\n", largeCopies,
                body.size(), big.median, big.worst);
    std::printf("window answer during 2 MB copies: worst %.1f ms over %d WM_NULL probes\n", worstAnswer, probes);
    return 0;
}
