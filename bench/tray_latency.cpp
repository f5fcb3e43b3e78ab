// Measures how long the running Tabwright.exe takes from a copy in C/SIDE to
// the formatted text on the clipboard. Plays C/SIDE itself: puts new code
// with the host format on the clipboard, then watches the clipboard until it
// holds exactly what the engine makes of that code.
// Usage: tray_latency [COPIES]   (prints the median, 95th percentile and worst, in ms)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int copies = argc > 1 ? std::atoi(argv[1]) : 100;
    if (copies < 1) {
        std::fprintf(stderr, "usage: tray_latency [COPIES]   (COPIES at least 1)\n");
        return 2;
    }
    std::vector<double> times;
    unsigned phase = 1;
    for (int i = 0; i < copies; ++i) {
        // Each copy differs, so that the program sees new text every time.
        const std::string code = "// copy " + std::to_string(i) + "\r\n" + kSample;
        tabwright::Formatter formatter;
        tabwright::TraceRecorder host(true, false);
        const std::u16string expected = formatter.Nesting(std::u16string(code.begin(), code.end()), host);

        // Copies come at any moment of the program's 250 ms tick, as a
        // user's do; right after the last result they would all come just
        // after a tick.
        phase = phase * 1103515245u + 12345u;
        Sleep((phase >> 16) % 250);

        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        if (!Copy(code)) {
            std::fprintf(stderr, "copy %d: the clipboard could not be written\n", i);
            return 1;
        }
        // The host format stays until the program replaces the content, and
        // asking for it does not open the clipboard.
        for (;;) {
            QueryPerformanceCounter(&now);
            if (Milliseconds(start, now) > 5000) {
                std::fprintf(stderr, "copy %d: not formatted within 5 s (host format %s, text %s)\n", i,
                             HostFormatOnClipboard() ? "still there" : "gone",
                             ClipboardText() == expected ? "as expected" : "different");
                return 1;
            }
            if (!HostFormatOnClipboard() && ClipboardText() == expected) break;
            // As the clipboard's owner we are told when the program empties
            // it, and it waits for that message to be answered.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        times.push_back(Milliseconds(start, now));
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2 ? times[times.size() / 2]
                                            : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    // Nearest rank: the smallest time that at least 95 % of the copies took.
    const std::size_t rank = (times.size() * 95 + 99) / 100;
    const double p95 = times[rank - 1];
    std::printf("copies: %d\nmedian: %.1f ms\np95: %.1f ms\nworst: %.1f ms\nbest: %.1f ms\n", copies, median, p95,
                times.back(), times.front());
    return 0;
}
