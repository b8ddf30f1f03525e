#include "model/markers.h"

#include <array>
#include <charconv>

namespace redewerk {
namespace {

// The constructs the scan knows, in the order that decides between two starting at the same
// place, and what closes each of them (nothing for the reference marker itself). A line ends
// at its LF, so texts with CR LF (as stored) and with LF alone (as edited) scan alike.
struct TConstruct {
    std::string_view Opener;
    std::string_view Closer;
};

constexpr std::array<TConstruct, 6> kConstructs = {{
    {"//", "\n"},
    {"/*", "*/"},
    {"\"", "\""},
    {"<<", "\n"},
    {">>", "\n"},
    {"#", ""},
}};

} // namespace

size_t FindReferenceMarker(std::string_view text, size_t from) {
    // Where each opener occurs next; refreshed only when the scan passes it, so a text with
    // many comments is still scanned in linear time.
    std::array<size_t, kConstructs.size()> next{};
    for (size_t i = 0; i < kConstructs.size(); ++i)
        next[i] = text.find(kConstructs[i].Opener, from);
    while (from <= text.size()) {
        size_t best = std::string_view::npos;
        size_t which = 0;
        for (size_t i = 0; i < kConstructs.size(); ++i) {
            if (next[i] < from) next[i] = text.find(kConstructs[i].Opener, from);
            if (next[i] < best) {
                best = next[i];
                which = i;
            }
        }
        if (best == std::string_view::npos) return best;
        const TConstruct& found = kConstructs[which];
        if (found.Closer.empty()) return best;
        size_t close = text.find(found.Closer, best + found.Opener.size());
        if (close == std::string_view::npos) return std::string_view::npos;
        from = close + found.Closer.size();
    }
    return std::string_view::npos;
}

std::string ReplaceReferences(std::string_view text,
                              const std::function<std::string(std::string_view inner)>& replace) {
    std::string result;
    result.reserve(text.size());
    size_t copied = 0;
    for (;;) {
        size_t open = FindReferenceMarker(text, copied);
        if (open == std::string_view::npos) break;
        size_t close = text.find('#', open + 1);
        if (close == std::string_view::npos) break;
        result.append(text, copied, open - copied);
        result += replace(text.substr(open + 1, close - open - 1));
        copied = close + 1;
    }
    result.append(text, copied);
    return result;
}

bool ParseReferenceId(std::string_view text, int32_t& id) {
    if (text.empty()) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace redewerk
