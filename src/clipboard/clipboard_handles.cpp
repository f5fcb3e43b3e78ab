#include "clipboard/clipboard_handles.h"

#include <cstring>

namespace tabwright {

// Moveable memory, as the clipboard requires of the blocks handed to it.
GlobalBlock::GlobalBlock(const void* data, std::size_t size, std::size_t zeroBytes)
    : handle_(GlobalAlloc(GMEM_MOVEABLE, size + zeroBytes)) {
    if (!handle_) return;
    void* target = GlobalLock(handle_);
    if (!target) {
        GlobalFree(handle_);
        handle_ = nullptr;
        return;
    }
    if (size) std::memcpy(target, data, size);
    std::memset(static_cast<char*>(target) + size, 0, zeroBytes);
    GlobalUnlock(handle_);
}

bool GlobalBlock::HandTo(UINT format) {
    if (!handle_ || !SetClipboardData(format, handle_)) return false;
    handle_ = nullptr;
    return true;
}

}  // namespace tabwright
