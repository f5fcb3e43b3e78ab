// Menu commands by identifier. The main window only routes WM_COMMAND here;
// each feature registers the commands it answers, so a new window or the
// hotkeys can be added without touching the window procedure.
#pragma once

#include <functional>
#include <unordered_map>

namespace tabwright {

class CommandTable {
public:
    using Handler = std::function<void()>;
    using IndexedHandler = std::function<void(int index)>;

    void Add(unsigned id, Handler handler) { handlers_[id] = std::move(handler); }

    // count consecutive identifiers from first, one handler told the index.
    void AddRange(unsigned first, int count, const IndexedHandler& handler) {
        for (int index = 0; index < count; ++index)
            handlers_[first + static_cast<unsigned>(index)] = [handler, index] { handler(index); };
    }

    // False when nothing answers the identifier.
    bool Run(unsigned id) const {
        const auto found = handlers_.find(id);
        if (found == handlers_.end()) return false;
        found->second();
        return true;
    }

    bool Has(unsigned id) const { return handlers_.contains(id); }

private:
    std::unordered_map<unsigned, Handler> handlers_;
};

}  // namespace tabwright
