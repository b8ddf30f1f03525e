#include "model/search.h"

#include "model/block_tree.h"
#include "model/element.h"
#include "model/project.h"
#include "model/references.h"
#include "model/text_lines.h"

#include <algorithm>
#include <array>
#include <string>

namespace redewerk {
namespace {

using enum TSearchField;

constexpr TSearchField kFolderFields[] = {NodeName};
constexpr TSearchField kDialogFields[] = {NodeName, Heading, Npc, Nr, Description, Condition, Body};
constexpr TSearchField kEventFields[] = {NodeName, Heading, Condition, Body};
constexpr TSearchField kChoiceFields[] = {NodeName, Heading, Description, Body};
constexpr TSearchField kCodeFields[] = {NodeName, Heading, Body};

constexpr size_t npos = std::string_view::npos;

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The form in which the search compares texts.
std::string SearchUpperCase(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperAscii);
    return upper;
}

// Finds the search text in the search's case folding (Horspool's method: on a mismatch the
// text's character under the needle's last position says how far the needle may move).
class TFoldedSearcher {
public:
    // `upperNeedle` is in the search's upper-case form and not empty.
    explicit TFoldedSearcher(std::string_view upperNeedle) : Needle(upperNeedle) {
        Shift.fill(Needle.size());
        for (size_t i = 0; i + 1 < Needle.size(); ++i)
            Shift[static_cast<unsigned char>(Needle[i])] = Needle.size() - 1 - i;
    }

    bool HasLineBreak() const { return Needle.find_first_of("\r\n") != npos; }

    // The first occurrence at or after `from`, or npos.
    size_t Find(std::string_view text, size_t from) const {
        const size_t length = Needle.size();
        if (length > text.size()) return npos;
        const size_t last = length - 1;
        for (size_t at = from; at + last < text.size();) {
            const char tail = UpperAscii(text[at + last]);
            if (tail == Needle[last]) {
                size_t i = 0;
                while (i < last && UpperAscii(text[at + i]) == Needle[i])
                    ++i;
                if (i == last) return at;
            }
            at += Shift[static_cast<unsigned char>(tail)];
        }
        return npos;
    }

    // The same over the lines of a condition or body as one text with CR LF line breaks;
    // `line` receives the number of line breaks before the match.
    size_t FindInLines(const TLines& lines, size_t from, size_t& line) const {
        size_t lineStart = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& text = lines[i];
            if (lineStart + text.size() >= from) {
                const size_t at = Find(text, from > lineStart ? from - lineStart : 0);
                if (at != npos) {
                    line = i;
                    return lineStart + at;
                }
            }
            lineStart += text.size() + 2;
        }
        return npos;
    }

    // In a text whose lines end in CR LF.
    size_t FindInJoined(std::string_view text, size_t from, size_t& line) const {
        const size_t at = Find(text, from);
        if (at != npos)
            line = static_cast<size_t>(
                std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
        return at;
    }

private:
    std::string_view Needle;
    std::array<size_t, 256> Shift;
};

const TElement* SearchedElement(const TNode* node) {
    const TElement* element = TProject::ElementOf(node);
    return element && element->Kind >= ekDialog && element->Kind <= ekCode ? element : nullptr;
}

bool HasField(const TNode* node, TSearchField field) {
    const auto fields = SearchFieldsOf(node);
    return std::find(fields.begin(), fields.end(), field) != fields.end();
}

// One search: what is searched for, where it started, and the start field's text as its
// editor shows it, when it is given.
struct TSearch {
    TProject& Project;
    const TFoldedSearcher& Searcher;
    const TSearchPlace& Start;
    const TLines* StartShown;

    // Searches one field of the node from `from`; the field belongs to the node's kind.
    std::optional<TSearchPlace> Field(TNode* node, TSearchField field, size_t from) const {
        size_t line = 0;
        const size_t at = FindIn(node, field, from, line);
        if (at == npos) return std::nullopt;
        return TSearchPlace{node, field, at, line};
    }

    // Searches the fields of the node that `take` accepts, in order, each from its beginning.
    template <typename F> std::optional<TSearchPlace> Fields(TNode* node, F&& take) const {
        for (TSearchField field : SearchFieldsOf(node)) {
            if (!take(field)) continue;
            if (auto found = Field(node, field, 0)) return found;
        }
        return std::nullopt;
    }

private:
    size_t FindInLines(const TLines& lines, size_t from, size_t& line) const {
        // A search text over several lines is looked for in the joined text.
        return Searcher.HasLineBreak() ? Searcher.FindInJoined(JoinLines(lines), from, line)
                                       : Searcher.FindInLines(lines, from, line);
    }

    size_t FindIn(TNode* node, TSearchField field, size_t from, size_t& line) const {
        if (StartShown && node == Start.Node && field == Start.Field)
            return FindInLines(*StartShown, from, line);
        const TElement* element = SearchedElement(node);
        if (field == Condition || field == Body) {
            const TLines& stored = field == Condition ? element->Condition : element->Body;
            const bool anyMarker =
                std::any_of(stored.begin(), stored.end(), [](const std::string& text) {
                    return text.find('#') != std::string::npos;
                });
            // Only a text with references reads differently in the editor.
            if (!anyMarker) return FindInLines(stored, from, line);
            return Searcher.FindInJoined(ReferencesAsPathsText(Project, stored, node), from, line);
        }
        const std::string* text = &node->Text();
        if (field == Heading) text = &element->Heading;
        if (field == Npc) text = &element->Npc;
        if (field == Nr) text = &element->Nr;
        if (field == Description) text = &element->Description;
        return Searcher.Find(*text, from);
    }
};

} // namespace

std::span<const TSearchField> SearchFieldsOf(const TNode* node) {
    const TElement* element = SearchedElement(node);
    switch (element ? element->Kind : ekFolder) {
    case ekDialog:
        return kDialogFields;
    case ekEvent:
        return kEventFields;
    case ekChoice:
        return kChoiceFields;
    case ekCode:
        return kCodeFields;
    default:
        return kFolderFields;
    }
}

std::optional<TSearchPlace> FindNextInProject(TProject& project, std::string_view searchText,
                                              const TSearchPlace& start, const TLines* startShown) {
    if (searchText.empty() || !start.Node) return std::nullopt;
    const std::string needle = SearchUpperCase(searchText);
    const TFoldedSearcher searcher(needle);
    const TSearch search{project, searcher, start, startShown};
    const auto all = [](TSearchField) { return true; };

    // The tree has no caret: a start on the node name searches nothing before moving on.
    if (start.Field != NodeName && HasField(start.Node, start.Field))
        if (auto found = search.Field(start.Node, start.Field, start.Offset)) return found;

    // The fields after the start field, then every node after the start node.
    std::optional<TSearchPlace> found;
    bool pastStart = false;
    project.Tree.FindInPreOrder([&](TNode* node, int) {
        if (node == start.Node) {
            pastStart = true;
            found = search.Fields(node, [&](TSearchField field) { return field > start.Field; });
        } else if (pastStart) {
            found = search.Fields(node, all);
        }
        return found.has_value();
    });
    if (found) return found;

    // From the top of the tree round to the start field, which is searched once more from its
    // beginning.
    project.Tree.FindInPreOrder([&](TNode* node, int) {
        if (node != start.Node) {
            found = search.Fields(node, all);
            return found.has_value();
        }
        found = search.Fields(node, [&](TSearchField field) { return field <= start.Field; });
        return true;
    });
    return found;
}

} // namespace redewerk
