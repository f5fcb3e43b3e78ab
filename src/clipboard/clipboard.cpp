#include "clipboard/clipboard.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "clipboard/clipboard_handles.h"
#include "win32/code_page.h"

namespace tabwright {
namespace {

std::int32_t FirstAvailable(std::vector<UINT> list) {
    if (list.empty()) return 0;
    return GetPriorityClipboardFormat(list.data(), static_cast<int>(list.size()));
}

std::int32_t FormatNumber(const std::u16string& decimal) {
    const std::string digits(decimal.begin(), decimal.end());
    std::int32_t number = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number;
}

// Text of a block up to its first zero unit, never beyond the block's end:
// other programs may put blocks without a terminating zero on the clipboard.
std::u16string UnicodeText(const GlobalView& view) {
    const auto* units = reinterpret_cast<const char16_t*>(view.data());
    const std::size_t size = view.size() / sizeof(char16_t);
    return std::u16string(units, std::find(units, units + size, u'\0'));
}

std::u16string AnsiText(const GlobalView& view) {
    const char* bytes = view.data();
    return win32::FromAnsi(std::string_view(bytes, std::find(bytes, bytes + view.size(), '\0')));
}

}  // namespace

TextBlocks::TextBlocks(std::u16string_view text) : TextBlocks(text, win32::ToAnsi(text)) {}

TextBlocks::TextBlocks(std::u16string_view text, const std::string& ansi)
    : ansi_(ansi.data(), ansi.size(), 1),
      unicode_(text.data(), text.size() * sizeof(char16_t), sizeof(char16_t)),
      text_(win32::FromAnsi(ansi)) {}

CClipboard::CClipboard(HostFormatState& state, HWND owner) : state_(state), owner_(owner), formats_(state) {}

const CClipFormats& CClipboard::Formats() {
    formats_.Reload();
    return formats_;
}

const CClipFormats& CClipboard::ListedFormats() {
    if (!formats_.ReloadUnopened()) formats_.Reload();
    return formats_;
}

std::optional<DWORD> CClipboard::OwnSequence() const {
    // The owner is asked after the number: a write by another program in
    // between makes it the owner, and no number is given.
    const DWORD sequence = GetClipboardSequenceNumber();
    if (!owner_ || GetClipboardOwner() != owner_) return std::nullopt;
    return sequence;
}

std::int32_t CClipboard::CCF() const { return CountClipboardFormats(); }

bool CClipboard::ALS() {
    formats_.Reload();
    return state_.ALSourcePresent;
}

bool CClipboard::Clear() {
    ClipboardOpening clipboard(owner_);
    return clipboard && EmptyClipboard();
}

std::int32_t CClipboard::GetPriorityFormat(std::initializer_list<std::int32_t> formats) const {
    return FirstAvailable(std::vector<UINT>(formats.begin(), formats.end()));
}

std::u16string CClipboard::GetText() const {
    // ANSI first: C/SIDE works in the ANSI code page, and the system derives
    // the ANSI form from the other text formats. C/SIDE's own format comes
    // last, once it has been seen.
    std::vector<UINT> list{CF_TEXT, CF_UNICODETEXT, CF_OEMTEXT, CF_DSPTEXT, CF_LOCALE};
    if (const std::int32_t host = FormatNumber(state_.ALSourceFormat); host > 0) list.push_back(static_cast<UINT>(host));
    const std::int32_t format = FirstAvailable(std::move(list));
    if (format <= 0) return {};
    ClipboardOpening clipboard(nullptr);
    if (!clipboard) return {};
    const GlobalView view(GetClipboardData(static_cast<UINT>(format)));
    if (!view.data()) return {};
    return format == CF_UNICODETEXT ? UnicodeText(view) : AnsiText(view);
}

bool CClipboard::SetText(std::u16string_view text) {
    ClipboardOpening clipboard(owner_);
    if (!clipboard) return false;
    TextBlocks blocks(text);
    const bool accepted = blocks.ansi_.HandTo(CF_TEXT);
    blocks.unicode_.HandTo(CF_UNICODETEXT);
    return accepted;
}

bool CClipboard::ReplaceWithText(std::u16string_view text) {
    TextBlocks blocks(text);
    return Replace(blocks, std::nullopt) == Replacement::Replaced;
}

CClipboard::Replacement CClipboard::ReplaceUnlessChanged(TextBlocks& blocks, DWORD sequence) {
    return Replace(blocks, sequence);
}

CClipboard::Replacement CClipboard::Replace(TextBlocks& blocks, std::optional<DWORD> sequence) {
    if (!blocks) return Replacement::Failed;
    ClipboardOpening clipboard(owner_);
    if (!clipboard) return Replacement::Failed;
    if (sequence && GetClipboardSequenceNumber() != *sequence) return Replacement::Changed;
    if (!EmptyClipboard()) return Replacement::Failed;
    const bool ansiAccepted = blocks.ansi_.HandTo(CF_TEXT);
    const bool unicodeAccepted = blocks.unicode_.HandTo(CF_UNICODETEXT);
    return ansiAccepted && unicodeAccepted ? Replacement::Replaced : Replacement::Failed;
}

}  // namespace tabwright
