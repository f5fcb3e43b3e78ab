#include "shell/piecemeal_fill.h"

#include <chrono>

namespace tabwright {
namespace {

// Work per slice; the window handles its queue between slices, and sooner
// when a message is waiting.
constexpr auto kSlice = std::chrono::milliseconds(20);

bool MessageWaiting() { return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT)) != 0; }

}  // namespace

void PiecemealFill::Start(Piece piece, bool now) {
    piece_ = std::move(piece);
    if (now) {
        Run();
    } else if (!timing_) {
        timing_ = SetTimer(window_, timerId_, USER_TIMER_MINIMUM, nullptr) != 0;
    }
}

void PiecemealFill::Run() {
    const auto end = std::chrono::steady_clock::now() + kSlice;
    bool more = static_cast<bool>(piece_);
    while (more && (more = piece_()) && std::chrono::steady_clock::now() < end && !MessageWaiting()) {
    }
    if (!more) {
        Stop();
        return;
    }
    // The timer's message comes only when no other is waiting.
    if (!timing_) timing_ = SetTimer(window_, timerId_, USER_TIMER_MINIMUM, nullptr) != 0;
}

void PiecemealFill::Stop() {
    piece_ = nullptr;
    if (timing_) KillTimer(window_, timerId_);
    timing_ = false;
}

}  // namespace tabwright
