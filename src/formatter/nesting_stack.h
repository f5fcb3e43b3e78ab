// The stack of statement levels saved when blocks open.
#pragma once

#include <cstdint>
#include <vector>

namespace tabwright {

class NestingStack {
public:
    void Push(std::int64_t level) { entries_.push_back(level); }

    // Removes and returns the top entry; an empty stack gives 0.
    std::int64_t Pop() {
        if (entries_.empty()) return 0;
        std::int64_t top = entries_.back();
        entries_.pop_back();
        return top;
    }

    // The entry n places below the top (0: the top) without removing it; 0
    // when the stack is not that deep.
    std::int64_t Below(std::size_t n) const {
        return n < entries_.size() ? entries_[entries_.size() - 1 - n] : 0;
    }

    std::int64_t Count() const { return static_cast<std::int64_t>(entries_.size()); }
    bool Empty() const { return entries_.empty(); }
    // Keeps the storage for the next run.
    void Clear() { entries_.clear(); }

private:
    std::vector<std::int64_t> entries_;
};

}  // namespace tabwright
