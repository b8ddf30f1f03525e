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

std::string ItemCountLine(size_t count) {
    return std::string(kItemCount) + "=int:" + std::to_string(count);
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

} // namespace

std::string OutputUnitKey(std::string_view name) {
    return UpperCase1252(name);
}

bool LibraryFromArchive(TZenArchive archive, TOutputUnitLibrary& library, TZenArchiveError& error) {
    library = {};
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
    library.Before.assign(std::make_move_iterator(lines.begin()),
                          std::make_move_iterator(lines.begin() + static_cast<long>(at) + 1));
    bool counted = false;
    // depth counts the objects open inside the library: 0 on the library's own lines.
    for (int depth = 0; ++at < lines.size();) {
        TZenLine& line = lines[at];
        if (depth == 0 && line.Kind == TZenLineKind::Close) break;
        if (depth == 0 && line.Kind == TZenLineKind::Property && library.Entries.empty()) {
            if (!counted && PropertyKey(line.Text) == kItemCount) {
                library.ItemCountLine = library.Before.size();
                counted = true;
            }
            library.Before.push_back(std::move(line));
            continue;
        }
        if (depth == 0 && line.Kind == TZenLineKind::Open) library.Entries.emplace_back();
        // A value of the library between its items stays behind the item before it.
        if (line.Kind == TZenLineKind::Open) ++depth;
        if (line.Kind == TZenLineKind::Close) --depth;
        library.Entries.back().Lines.push_back(std::move(line));
    }
    library.After.assign(std::make_move_iterator(lines.begin() + static_cast<long>(at)),
                         std::make_move_iterator(lines.end()));
    if (!counted) {
        library.ItemCountLine = libraryLine + 1;
        library.Before.insert(library.Before.begin() + static_cast<long>(libraryLine) + 1,
                              {TZenLineKind::Property, ItemCountLine(0)});
    }
    for (auto& entry : library.Entries)
        entry.Key = EntryKey(entry.Lines);
    return true;
}

TOutputUnitLibrary NewOutputUnitLibrary(int64_t seconds, std::string_view user) {
    TOutputUnitLibrary library;
    library.Header = NewZenArchiveHeader(seconds, user);
    library.Before = {{TZenLineKind::Open, "% zCCSLib 0"},
                      {TZenLineKind::Property, ItemCountLine(0)}};
    library.ItemCountLine = 1;
    library.After = {{TZenLineKind::Close, {}}};
    return library;
}

TZenArchive LibraryToArchive(TOutputUnitLibrary library) {
    TZenArchive archive;
    archive.Header = std::move(library.Header);
    library.Before[library.ItemCountLine].Text = ItemCountLine(library.Entries.size());
    size_t size = library.Before.size() + library.After.size();
    for (const auto& entry : library.Entries)
        size += entry.Lines.size();
    archive.Lines.reserve(size);
    auto append = [&](std::vector<TZenLine>& lines) {
        archive.Lines.insert(archive.Lines.end(), std::make_move_iterator(lines.begin()),
                             std::make_move_iterator(lines.end()));
    };
    append(library.Before);
    for (auto& entry : library.Entries)
        append(entry.Lines);
    append(library.After);
    return archive;
}

std::vector<TZenLine> OutputUnitEntryLines(const TOutputUnit& unit) {
    using enum TZenLineKind;
    return {
        {Open, "% zCCSBlock 0"},
        {Property, "blockName=string:" + unit.Name},
        {Property, "numOfBlocks=int:1"},
        {Property, "subBlock0=float:0"},
        {Open, "% zCCSAtomicBlock 0"},
        {Open, "% oCMsgConversation:oCNpcMessage:zCEventMessage 0"},
        {Property, "subType=enum:0"},
        {Property, "text=string:" + unit.Text},
        // The game's own libraries spell the sound file in capitals.
        {Property, "name=string:" + OutputUnitKey(unit.Name) + ".WAV"},
        {Close, {}},
        {Close, {}},
        {Close, {}},
    };
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
        std::vector<TZenLine> lines = OutputUnitEntryLines(units[found->second]);
        TState& state = states[found->second];
        if (lines == entry.Lines) {
            if (state == kNew) state = kUnchanged;
            continue;
        }
        entry.Lines = std::move(lines);
        state = kReplaced;
    }

    TOutputUnitMerge merge;
    for (size_t i = 0; i < units.size(); ++i) {
        if (states[i] == kReplaced) ++merge.Replaced;
        if (states[i] == kUnchanged) ++merge.Unchanged;
        if (states[i] != kNew) continue;
        ++merge.Added;
        library.Entries.push_back({OutputUnitKey(units[i].Name), OutputUnitEntryLines(units[i])});
    }
    return merge;
}

} // namespace redewerk
