// Ownership of the clipboard's opening and of global memory blocks, so that
// every path that opens the clipboard closes it and no block leaks.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tabwright {

class ClipboardOpening {
public:
    explicit ClipboardOpening(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~ClipboardOpening() {
        if (open_) CloseClipboard();
    }
    ClipboardOpening(const ClipboardOpening&) = delete;
    ClipboardOpening& operator=(const ClipboardOpening&) = delete;

    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// A block of global memory that is freed unless the clipboard takes it.
class GlobalBlock {
public:
    // Copies size bytes from data into a new block, followed by zeroBytes
    // zero bytes; empty when allocation fails.
    GlobalBlock(const void* data, std::size_t size, std::size_t zeroBytes = 0);
    ~GlobalBlock() {
        if (handle_) GlobalFree(handle_);
    }
    GlobalBlock(GlobalBlock&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    GlobalBlock& operator=(GlobalBlock&& other) noexcept {
        if (this != &other) {
            if (handle_) GlobalFree(handle_);
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }

    explicit operator bool() const { return handle_ != nullptr; }

    // Puts the block on the open clipboard. On success the clipboard owns it.
    bool HandTo(UINT format);

private:
    HGLOBAL handle_;
};

// Read access to a block the clipboard owns, for as long as the view lives.
class GlobalView {
public:
    explicit GlobalView(HANDLE block)
        : block_(block),
          data_(block ? static_cast<const char*>(GlobalLock(block)) : nullptr),
          size_(data_ ? GlobalSize(block) : 0) {}
    ~GlobalView() {
        if (data_) GlobalUnlock(block_);
    }
    GlobalView(const GlobalView&) = delete;
    GlobalView& operator=(const GlobalView&) = delete;

    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    HANDLE block_;
    const char* data_;
    std::size_t size_;
};

}  // namespace tabwright
