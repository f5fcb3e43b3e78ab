// Fills a control piece by piece from the window's timer. Under Wine a log
// box takes seconds for a text of 2 MB and a list as long for 150,000
// entries; in pieces of a few milliseconds, with the window's other messages
// handled in between, the window keeps answering while it fills.
#pragma once

#include <windows.h>

#include <functional>

namespace tabwright {

class PiecemealFill {
public:
    // Adds the next piece; false once nothing is left.
    using Piece = std::function<bool()>;

    PiecemealFill(HWND window, UINT_PTR timerId) : window_(window), timerId_(timerId) {}
    ~PiecemealFill() { Stop(); }
    PiecemealFill(const PiecemealFill&) = delete;
    PiecemealFill& operator=(const PiecemealFill&) = delete;

    // Drops a fill under way and starts this one. With now, its first pieces
    // are added at once, so a small fill is complete on return; otherwise
    // the first come with the timer.
    void Start(Piece piece, bool now = true);
    // Adds pieces for one slice of time: on the timer, or at once.
    void Run();
    void Stop();
    bool Filling() const { return static_cast<bool>(piece_); }
    UINT_PTR TimerId() const { return timerId_; }

private:
    HWND window_;
    UINT_PTR timerId_;
    Piece piece_;
    bool timing_ = false;
};

}  // namespace tabwright
