#include "gamefiles/output_units.h"

#include "model/cp1252.h"

#include <unordered_map>

namespace redewerk {
namespace {

constexpr std::string_view kItemCount = "NumOfItems";

// The class of an object header "name class version".
std::string_view ObjectClass(std::string_view header) {
    const size_t first = header.find(' ');
    if (first == std::string_view::npos) return {};
    const size_t second = header.find(' ', first + 1);
    return header.substr(first + 1, second == std::string_view::npos ? std::string_view::npos
                                                                     : second - first - 1);
}

// The key of an entry: its "blockName", read from the values directly inside it.
std::string EntryKey(const std::vector<TZenLine>& lines) {
    int depth = 0;
    for (const auto& line : lines) {
        if (line.Kind == TZenLineKind::Open) ++depth;
        if (line.Kind == TZenLineKind::Close) --depth;
        if (line.Kind == TZenLineKind::Property && depth == 1 &&
            PropertyKey(line.Text) == "blockName")
            return OutputUnitKey(PropertyValue(line.Text));
    }
    return {};
}

// The entry the game's tools write for one spoken line: each line is the text given here
// followed by the unit's name, its subtitle or its sound file.
enum class TEntryField : uint8_t { None, Name, Text, Sound };
struct TEntryLine {
    TZenLineKind Kind;
    std::string_view Text;
    TEntryField Field = TEntryField::None;
};
constexpr TEntryLine kEntryLayout[] = {
    {TZenLineKind::Open, "% zCCSBlock 0"},
    {TZenLineKind::Property, "blockName=string:", TEntryField::Name},
    {TZenLineKind::Property, "numOfBlocks=int:1"},
    {TZenLineKind::Property, "subBlock0=float:0"},
    {TZenLineKind::Open, "% zCCSAtomicBlock 0"},
    {TZenLineKind::Open, "% oCMsgConversation:oCNpcMessage:zCEventMessage 0"},
    {TZenLineKind::Property, "subType=enum:0"},
    {TZenLineKind::Property, "text=string:", TEntryField::Text},
    {TZenLineKind::Property, "name=string:", TEntryField::Sound},
    {TZenLineKind::Close, ""},
    {TZenLineKind::Close, ""},
    {TZenLineKind::Close, ""},
};
constexpr std::string_view kSoundExtension = ".WAV";

// The sound file is the name in capitals, as the game's own libraries spell it, followed by
// kSoundExtension; `key` is that name.
std::string_view FieldValue(TEntryField field, const TOutputUnit& unit, std::string_view key) {
    switch (field) {
    case TEntryField::Name:
        return unit.Name;
    case TEntryField::Text:
        return unit.Text;
    case TEntryField::Sound:
        return key;
    case TEntryField::None:
        break;
    }
    return {};
}

// Whether the lines are what OutputUnitEntryLines makes of the unit, without making them.
bool HoldsUnit(const std::vector<TZenLine>& lines, const TOutputUnit& unit, std::string_view key) {
    if (lines.size() != std::size(kEntryLayout)) return false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const TEntryLine& layout = kEntryLayout[i];
        std::string_view text = lines[i].Text;
        if (lines[i].Kind != layout.Kind || !text.starts_with(layout.Text)) return false;
        text.remove_prefix(layout.Text.size());
        if (layout.Field == TEntryField::Sound) {
            if (!text.ends_with(kSoundExtension)) return false;
            text.remove_suffix(kSoundExtension.size());
        }
        if (text != FieldValue(layout.Field, unit, key)) return false;
    }
    return true;
}

// The lines of the entry the game's tools write for one spoken line; the texts with the
// unit's name and subtitle are kept in `made`.
std::vector<TZenLine> OutputUnitEntryLines(const TOutputUnit& unit, TZenTexts& made) {
    const std::string key = OutputUnitKey(unit.Name);
    std::vector<TZenLine> lines;
    lines.reserve(std::size(kEntryLayout));
    for (const auto& layout : kEntryLayout) {
        if (layout.Field == TEntryField::None) {
            lines.push_back({layout.Kind, layout.Text});
            continue;
        }
        std::string text(layout.Text);
        text += FieldValue(layout.Field, unit, key);
        if (layout.Field == TEntryField::Sound) text += kSoundExtension;
        lines.push_back({layout.Kind, made.Keep(std::move(text))});
    }
    return lines;
}

} // namespace

std::string OutputUnitKey(std::string_view name) {
    return UpperCase1252(name);
}

bool ReadOutputUnitLibrary(std::string content, TOutputUnitLibrary& library,
                           TZenArchiveError& error) {
    library = {};
    library.Source = std::make_unique<const std::string>(std::move(content));
    TZenArchive archive;
    if (!ReadZenArchive(*library.Source, archive, error)) return false;
    library.Made = std::move(archive.Made);
    library.Header = std::move(archive.Header);
    std::vector<TZenLine>& lines = archive.Lines;
    size_t at = 0;
    for (int depth = 0; at < lines.size(); ++at) {
        const TZenLine& line = lines[at];
        if (line.Kind == TZenLineKind::Open && depth == 0 && ObjectClass(line.Text) == "zCCSLib")
            break;
        depth += line.Kind == TZenLineKind::Open ? 1 : line.Kind == TZenLineKind::Close ? -1 : 0;
    }
    if (at == lines.size()) {
        error = {0, "Die Datei enth\xE4lt keine Bibliothek der Ausgabeeinheiten (zCCSLib)."};
        return false;
    }
    const size_t libraryLine = at;
    library.Before.assign(lines.begin(), lines.begin() + static_cast<long>(at) + 1);
    bool counted = false;
    // depth counts the objects open inside the library: 0 on the library's own lines.
    for (int depth = 0; ++at < lines.size();) {
        const TZenLine& line = lines[at];
        if (depth == 0 && line.Kind == TZenLineKind::Close) break;
        if (depth == 0 && line.Kind == TZenLineKind::Property && library.Entries.empty()) {
            if (!counted && PropertyKey(line.Text) == kItemCount) {
                library.ItemCountLine = library.Before.size();
                counted = true;
            }
            library.Before.push_back(line);
            continue;
        }
        if (depth == 0 && line.Kind == TZenLineKind::Property) {
            library.Entries.back().Following.push_back(line);
            continue;
        }
        if (depth == 0 && line.Kind == TZenLineKind::Open) library.Entries.emplace_back();
        if (line.Kind == TZenLineKind::Open) ++depth;
        if (line.Kind == TZenLineKind::Close) --depth;
        library.Entries.back().Lines.push_back(line);
    }
    library.After.assign(lines.begin() + static_cast<long>(at), lines.end());
    if (!counted) {
        library.ItemCountLine = libraryLine + 1;
        library.Before.insert(library.Before.begin() + static_cast<long>(libraryLine) + 1,
                              {TZenLineKind::Property, "NumOfItems=int:0"});
    }
    for (auto& entry : library.Entries)
        entry.Key = EntryKey(entry.Lines);
    return true;
}

TOutputUnitLibrary NewOutputUnitLibrary(int64_t seconds, std::string_view user) {
    TOutputUnitLibrary library;
    library.Header = NewZenArchiveHeader(seconds, user);
    library.Before = {{TZenLineKind::Open, "% zCCSLib 0"},
                      {TZenLineKind::Property, "NumOfItems=int:0"}};
    library.ItemCountLine = 1;
    library.After = {{TZenLineKind::Close, {}}};
    return library;
}

std::string WriteOutputUnitLibrary(const TOutputUnitLibrary& library) {
    std::vector<TZenLine> before = library.Before;
    const std::string itemCount =
        std::string(kItemCount) + "=int:" + std::to_string(library.Entries.size());
    before[library.ItemCountLine].Text = itemCount;
    size_t objects = CountObjects(before) + CountObjects(library.After);
    size_t lines = before.size() + library.After.size();
    for (const auto& entry : library.Entries) {
        objects += CountObjects(entry.Lines);
        lines += entry.Lines.size() + entry.Following.size();
    }
    TZenWriter writer(library.Header, objects, lines);
    writer.Write(before);
    for (const auto& entry : library.Entries) {
        writer.Write(entry.Lines);
        writer.Write(entry.Following);
    }
    writer.Write(library.After);
    return writer.Take();
}

TOutputUnitMerge MergeOutputUnits(TOutputUnitLibrary& library,
                                  const std::vector<TOutputUnit>& units) {
    std::unordered_map<std::string, size_t> byKey;
    byKey.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i)
        byKey.emplace(OutputUnitKey(units[i].Name), i);

    enum TState : uint8_t { kNew, kUnchanged, kReplaced };
    std::vector<TState> states(units.size(), kNew);
    for (auto& entry : library.Entries) {
        if (entry.Key.empty()) continue;
        const auto found = byKey.find(entry.Key);
        if (found == byKey.end()) continue;
        const TOutputUnit& unit = units[found->second];
        TState& state = states[found->second];
        if (HoldsUnit(entry.Lines, unit, entry.Key)) {
            if (state == kNew) state = kUnchanged;
            continue;
        }
        entry.Lines = OutputUnitEntryLines(unit, library.Made);
        state = kReplaced;
    }

    TOutputUnitMerge merge;
    for (size_t i = 0; i < units.size(); ++i) {
        if (states[i] == kReplaced) ++merge.Replaced;
        if (states[i] == kUnchanged) ++merge.Unchanged;
        if (states[i] != kNew) continue;
        ++merge.Added;
        library.Entries.push_back(
            {OutputUnitKey(units[i].Name), OutputUnitEntryLines(units[i], library.Made), {}});
    }
    return merge;
}

} // namespace redewerk
