#include "model/project_file.h"

#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/prompter.h"
#include "model/storable_text.h"

#include <charconv>
#include <memory>
#include <vector>

namespace redewerk {
namespace {

constexpr std::string_view kSectionEnd = kSectionEndMarker;
constexpr std::string_view kNodeListEnd = kNodeListEndMarker;

// Appends lines ended by CR LF to one string, and notes the first text line that would not
// read back as it was written: one with a line feed inside, or one that equals the marker the
// reader looks for at its place. (The rules for new texts are stricter, see storable_text.h;
// this check only keeps a file that would load differently from being written, and lets
// every file that loads be saved again.)
class TLineWriter {
public:
    void Line(int value) { Append(std::to_string(value)); }
    void Flag(bool value) { Append(value ? "True" : "False"); }
    void Marker(std::string_view marker) { Append(marker); }
    // A text line; `field` names it for the message ("Description"), `node` is its block;
    // `marker` is the one the reader watches for at this place, if any.
    void Text(std::string_view text, const TNode* node, std::string_view field,
              std::string_view marker = {}) {
        if (Unstorable.empty() &&
            (text.find('\n') != std::string_view::npos || (!marker.empty() && text == marker)))
            Unstorable = node ? node->Path() + " (" + std::string(field) + ")" : std::string(field);
        Append(text);
    }
    void Lines(const TLines& lines, const TNode* node, std::string_view field) {
        for (const auto& line : lines)
            Text(line, node, field, kSectionEnd);
        Marker(kSectionEnd);
    }

    std::string Content;
    std::string Unstorable; // where the first such line stands; empty when there is none

private:
    void Append(std::string_view text) {
        Content += text;
        Content += "\r\n";
    }
};

// The field names are the block editor's labels.
void WriteNode(TLineWriter& out, const TNode& node, int level) {
    out.Text(node.Text(), &node, "Name", kNodeListEnd);
    out.Line(level);
    const TElement* element = node.Element();
    if (!element) {
        out.Line(0);
        return;
    }
    const int kind = element->Kind;
    out.Line(kind);
    out.Line(element->Id);
    out.Text(element->Heading, &node,
             "\xDC"
             "berschrift");
    if (kind == ekDialog) {
        out.Text(element->Npc, &node, "NPC");
        out.Text(element->Nr, &node, "nr");
    }
    if (kind == ekDialog || kind == ekChoice) out.Text(element->Description, &node, "Description");
    if (kind == ekDialog || kind == ekEvent) {
        out.Flag(element->Permanent);
        out.Flag(element->Important);
    }
    if (kind == ekDialog) out.Flag(element->Trade);
    if (kind == ekDialog || kind == ekEvent) out.Lines(element->Condition, &node, "condition");
    out.Lines(element->Body, &node, "Text");
    for (int32_t id : element->KnownRefs)
        out.Line(id);
    out.Marker(kSectionEnd);
}

// Why a save was refused: where the text stands that would not read back.
std::string UnstorableTextMessage(const std::string& where) {
    return "Projekt nicht gespeichert: " + where +
           " enth\xE4lt Zeichen, die eine Projektdatei nicht speichern kann.";
}

// Thrown when reading stops; carries the runtime's message.
struct TReadError {
    std::string Message;
};

// Reads the file line by line, counting lines for the error message.
class TLineReader {
public:
    explicit TLineReader(std::string_view text) : Text(text) {}

    int LineNumber() const { return Number; }

    std::string_view Next() {
        if (Pos >= Text.size()) throw TReadError{IoErrorMessage(38)}; // reading past the end
        size_t end = Text.find('\n', Pos);
        if (end == std::string_view::npos) end = Text.size();
        size_t stop = (end > Pos && Text[end - 1] == '\r') ? end - 1 : end;
        std::string_view line = Text.substr(Pos, stop - Pos);
        Pos = end + 1;
        ++Number;
        return line;
    }

    // An integer read from its own line: blanks around it are allowed.
    int32_t Integer() {
        std::string_view line = Next();
        size_t first = line.find_first_not_of(" \t");
        size_t last = line.find_last_not_of(" \t");
        int32_t value = 0;
        if (first == std::string_view::npos ||
            !ParseInt(line.substr(first, last - first + 1), value))
            throw TReadError{"Ung\xFCltige numerische Eingabe"};
        return value;
    }

    // An integer converted from a whole line.
    int32_t ConvertedInteger(std::string_view line) {
        int32_t value = 0;
        if (!ParseInt(line, value))
            throw TReadError{"'" + std::string(line) + "' ist kein g\xFCltiger Integerwert"};
        return value;
    }

    // True or False in any letter case, or a number (0 is false).
    bool Flag() {
        std::string_view line = Next();
        std::string upper = UpperCaseAscii(line);
        if (upper == "TRUE") return true;
        if (upper == "FALSE") return false;
        int32_t value = 0;
        if (ParseInt(line, value)) return value != 0;
        throw TReadError{"'" + std::string(line) + "' ist kein g\xFCltiger boolescher Wert"};
    }

    // Lines up to the section end marker.
    void Lines(TLines& lines) {
        for (std::string_view line = Next(); line != kSectionEnd; line = Next())
            lines.emplace_back(line);
    }

private:
    static bool ParseInt(std::string_view text, int32_t& value) {
        if (!text.empty() && text[0] == '+') text.remove_prefix(1);
        if (text.empty()) return false;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() && end == text.data() + text.size();
    }

    std::string_view Text;
    size_t Pos = 0;
    int Number = 0;
};

// The node placed last and its level. The level is carried along instead of being counted
// up the parents again for every record, so a deeply nested file is still read in linear time.
struct TPlacement {
    TNode* Node = nullptr;
    int Level = 0;
};

// Places a node read with `level` relative to the node placed last: a deeper level goes
// below it, any other beside its ancestor on that level (the top row at most).
TNode* PlaceNode(TBlockTree& tree, TPlacement& last, int level, std::string text) {
    if (!last.Node) {
        last = {tree.AppendChild(nullptr, std::move(text)), 0};
    } else if (level > last.Level) {
        last = {tree.AppendChild(last.Node, std::move(text)), last.Level + 1};
    } else {
        TNode* reference = last.Node;
        int referenceLevel = last.Level;
        for (; reference->Parent() && level < referenceLevel; --referenceLevel)
            reference = reference->Parent();
        last = {tree.AppendSibling(reference, std::move(text)), referenceLevel};
    }
    return last.Node;
}

void ReadProject(TLineReader& in, TProject& project) {
    in.Lines(project.Variables);
    for (std::string_view clear = in.Next(); clear != kSectionEnd; clear = in.Next()) {
        std::string clearName(clear);
        project.Npcs.Add(std::move(clearName), std::string(in.Next()));
    }

    // Elements whose id a later record took: they get a free id once all is read.
    std::vector<std::unique_ptr<TElement>> displaced;
    TPlacement last;
    for (std::string_view text = in.Next(); text != kNodeListEnd; text = in.Next()) {
        std::string nodeText(text);
        int32_t level = in.Integer();
        int32_t kind = in.Integer();
        TNode* node = PlaceNode(project.Tree, last, level, std::move(nodeText));
        if (kind < 1) continue;

        int32_t id = in.Integer();
        if (id < 0) throw TReadError{"Ung\xFCltige numerische Eingabe"};
        auto element = std::make_unique<TElement>(id, kind, node);
        element->Heading = in.Next();
        if (kind == ekDialog) {
            element->Npc = in.Next();
            element->Nr = in.Next();
        }
        if (kind == ekDialog || kind == ekChoice) element->Description = in.Next();
        if (kind == ekDialog || kind == ekEvent) {
            element->Permanent = in.Flag();
            element->Important = in.Flag();
        }
        if (kind == ekDialog) element->Trade = in.Flag();
        if (kind == ekDialog || kind == ekEvent) in.Lines(element->Condition);
        in.Lines(element->Body);
        for (std::string_view line = in.Next(); line != kSectionEnd; line = in.Next())
            element->KnownRefs.push_back(in.ConvertedInteger(line));

        if (project.Elements.At(id)) {
            // The later record owns the slot; the earlier block moves to a free id below.
            displaced.push_back(project.Elements.Take(id));
        }
        project.Tree.SetElement(node, project.Elements.Store(std::move(element)));
    }
    int32_t selected = in.Integer();
    for (auto& element : displaced) {
        element->Id = project.Elements.FindFreeElementSlot();
        TNode* node = element->Node;
        project.Tree.SetElement(node, project.Elements.Store(std::move(element)));
    }
    project.Selected = project.Tree.NodeAt(selected);
}

} // namespace

std::string SerializeProject(const TProject& project, std::string* unstorable) {
    TLineWriter out;
    out.Lines(project.Variables, nullptr, "Variablen und Makros");
    for (int i = 0; i < project.Npcs.Count(); ++i) {
        // The reader looks for the section's end only where a pair begins.
        out.Text(project.Npcs.ClearNames[static_cast<size_t>(i)], nullptr, "Npc-Liste",
                 kSectionEnd);
        out.Text(project.Npcs.InstanceNames[static_cast<size_t>(i)], nullptr, "Npc-Liste");
    }
    out.Marker(kSectionEnd);
    project.Tree.ForEachPreOrder([&](TNode* node, int level) { WriteNode(out, *node, level); });
    out.Marker(kNodeListEnd);
    out.Line(project.Tree.AbsoluteIndex(project.Selected));
    if (unstorable) *unstorable = std::move(out.Unstorable);
    return std::move(out.Content);
}

bool ParseProject(std::string_view content, TProject& project, TProjectFileError& error) {
    TLineReader in(content);
    try {
        ReadProject(in, project);
        return true;
    } catch (const TReadError& failure) {
        error.Message = failure.Message;
        error.Line = in.LineNumber();
        return false;
    }
}

bool LoadProject(TProject& project, const std::string& path, TFileSystem& files,
                 TPrompter& prompter) {
    std::string content;
    TProjectFileError error;
    if (int failure = files.ReadFile(path, content)) {
        error.Message = IoErrorMessage(failure);
    } else {
        TProject loaded;
        if (ParseProject(content, loaded, error)) {
            project.TakeContentsFrom(loaded);
            return true;
        }
    }
    std::string where = "Datei: " + PathToCp1252(path);
    if (error.Line > 0) where += ", Zeile " + std::to_string(error.Line);
    prompter.ShowMessage(error.Message + "\n" + where);
    return false;
}

bool SaveProject(const TProject& project, const std::string& path, TFileSystem& files,
                 TPrompter& prompter) {
    std::string unstorable;
    const std::string content = SerializeProject(project, &unstorable);
    if (!unstorable.empty()) {
        // The last guard: a file that would load differently is never written.
        prompter.ShowMessage(UnstorableTextMessage(unstorable));
        return false;
    }
    if (int failure = files.WriteFile(path, content)) {
        prompter.ShowMessage(WriteErrorMessage(path, failure));
        return false;
    }
    return true;
}

} // namespace redewerk
