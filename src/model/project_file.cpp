#include "model/project_file.h"

#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/prompter.h"

#include <charconv>
#include <memory>
#include <vector>

namespace redewerk {
namespace {

constexpr std::string_view kSectionEnd = "\x02"
                                         "END";
constexpr std::string_view kNodeListEnd = "\x02"
                                          "EOF";

// An id is the block's index in the element table, which grows to hold it, and every gap
// below it gets a placeholder. A damaged file with an id in the billions would take all the
// memory there is, so ids stop at a million, far beyond what any project reaches.
constexpr int32_t kIdLimit = 1000000;

// Appends lines ended by CR LF to one string.
class TLineWriter {
public:
    void Line(std::string_view text) {
        Text += text;
        Text += "\r\n";
    }
    void Line(int value) { Line(std::to_string(value)); }
    void Flag(bool value) { Line(value ? "True" : "False"); }
    void Lines(const TLines& lines) {
        for (const auto& line : lines)
            Line(line);
        Line(kSectionEnd);
    }
    std::string Text;
};

void WriteNode(TLineWriter& out, const TNode& node, int level) {
    out.Line(node.Text());
    out.Line(level);
    const TElement* element = node.Element();
    if (!element) {
        out.Line(0);
        return;
    }
    const int kind = element->Kind;
    out.Line(kind);
    out.Line(element->Id);
    out.Line(element->Heading);
    if (kind == ekDialog) {
        out.Line(element->Npc);
        out.Line(element->Nr);
    }
    if (kind == ekDialog || kind == ekChoice) out.Line(element->Description);
    if (kind == ekDialog || kind == ekEvent) {
        out.Flag(element->Permanent);
        out.Flag(element->Important);
    }
    if (kind == ekDialog) out.Flag(element->Trade);
    if (kind == ekDialog || kind == ekEvent) out.Lines(element->Condition);
    out.Lines(element->Body);
    for (int32_t id : element->KnownRefs)
        out.Line(id);
    out.Line(kSectionEnd);
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
        if (id < 0 || id >= kIdLimit) throw TReadError{"Ung\xFCltige numerische Eingabe"};
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
    project.Elements.FillEmptySlots();
    for (auto& element : displaced) {
        element->Id = project.Elements.FindFreeElementSlot();
        TNode* node = element->Node;
        project.Tree.SetElement(node, project.Elements.Store(std::move(element)));
    }
    project.Selected = project.Tree.NodeAt(selected);
}

} // namespace

std::string SerializeProject(const TProject& project) {
    TLineWriter out;
    out.Lines(project.Variables);
    for (int i = 0; i < project.Npcs.Count(); ++i) {
        out.Line(project.Npcs.ClearNames[static_cast<size_t>(i)]);
        out.Line(project.Npcs.InstanceNames[static_cast<size_t>(i)]);
    }
    out.Line(kSectionEnd);
    project.Tree.ForEachPreOrder([&](TNode* node, int level) { WriteNode(out, *node, level); });
    out.Line(kNodeListEnd);
    out.Line(project.Tree.AbsoluteIndex(project.Selected));
    return std::move(out.Text);
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
    if (int failure = files.WriteFile(path, SerializeProject(project))) {
        prompter.ShowMessage(IoErrorMessage(failure));
        return false;
    }
    return true;
}

} // namespace redewerk
