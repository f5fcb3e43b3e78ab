#include "snippets/smart_tack.h"

#include <array>

#include "formatter/text_search.h"
#include "settings/setting_names.h"
#include "snippets/upper_case.h"

namespace tabwright {
namespace {

constexpr std::size_t kNpos = std::u16string_view::npos;

// A placeholder that stands for another stored text, expanded in turn.
struct StoredPlaceholder {
    std::u16string_view placeholder;
    std::u16string_view valueName;
    std::u16string_view whenEmpty;
};

constexpr std::array<StoredPlaceholder, 3> kStored{{
    {u"%Ver%", kVersionHeading, kNoVersion},
    {u"%Des%", kDescriptionHeading, u""},
    {u"%Free%", kFreeHeading, u""},
}};

class Expander {
public:
    explicit Expander(TemplateHost& host) : host_(host) {}

    std::u16string Expand(std::u16string text) {
        ReplaceFirst(text, u"%Date%", [this] { return host_.Date(); });
        ReplaceFirst(text, u"%Time%", [this] { return host_.Time(); });
        ReplaceStored(text, 0);
        ReplaceFirst(text, u"%User%", [this] { return ToUpperText(host_.User()); });
        ReplaceStored(text, 1);
        ReplaceStored(text, 2);
        const std::size_t file = FindNoCase(text, u"%File%");
        return file == kNpos ? text : FileText(text, file + 6);
    }

private:
    // The replacement is produced only when the placeholder is there.
    template <typename Produce>
    static void ReplaceFirst(std::u16string& text, std::u16string_view placeholder, Produce produce) {
        const std::size_t at = FindNoCase(text, placeholder);
        if (at != kNpos) text.replace(at, placeholder.size(), produce());
    }

    // Each stored text may hold placeholders of its own, but not, directly or
    // through another stored text, the one it is expanded for: that one is
    // left as it is, so expansion always ends.
    void ReplaceStored(std::u16string& text, std::size_t which) {
        if (open_[which]) return;
        const StoredPlaceholder& stored = kStored[which];
        ReplaceFirst(text, stored.placeholder, [&] {
            open_[which] = true;
            std::u16string value = Expand(host_.GetString(stored.valueName));
            open_[which] = false;
            return value.empty() ? std::u16string(stored.whenEmpty) : value;
        });
    }

    // The file named in the first pair of double quotes from `from` on.
    std::u16string FileText(std::u16string_view text, std::size_t from) {
        const std::size_t open = text.find(u'"', from);
        const std::size_t close = open == kNpos ? kNpos : text.find(u'"', open + 1);
        if (close == kNpos) return std::u16string(kFileError);
        const std::u16string_view name = text.substr(open + 1, close - open - 1);
        if (name.empty() || name.find_first_of(u"*?") != kNpos) return std::u16string(kFileError);
        FileSource& files = host_.Files();
        const std::optional<std::string> bytes = files.ReadBytes(name);
        return bytes ? files.FromAnsi(*bytes) : std::u16string(kFileError);
    }

    TemplateHost& host_;
    std::array<bool, kStored.size()> open_{};
};

}  // namespace

std::u16string SmartTack(std::u16string_view tekst, TemplateHost& host) {
    return Expander(host).Expand(std::u16string(tekst));
}

}  // namespace tabwright
