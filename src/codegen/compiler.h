#pragma once

#include "codegen/instance_names.h"
#include "daedalus/parser.h"
#include "model/text_lines.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace redewerk {

struct TElement;
class TProject;
class TPrompter;

// A reference that holds neither an id nor one of the forms left alone ("INVALID..." or
// "+..."). It stops the compilation; the message is the runtime's German conversion text.
class ECompileError : public std::exception {
public:
    explicit ECompileError(std::string message) : Text(std::move(message)) {}
    const std::string& Message() const { return Text; }
    const char* what() const noexcept override { return Text.c_str(); }

private:
    std::string Text;
};

// That many tab characters; none for a count of 0 or less.
std::string Tabs(int count);

// Whether the block needs the variable "Bekannt_" + its instance name, which remembers that it
// was told or has run: a permanent Dialog or a Choice asked for as known, an Event that is not
// permanent or is asked for as known. Run ComputeKnownTargets first.
bool NeedsKnownVar(const TProject& project, int32_t id);

// What a known-reference "#!id#" to the block becomes: "Npc_KnowsInfo (hero, N)" for a
// Dialog that is not permanent, "Bekannt_N" for a permanent Dialog, an Event or a Choice, N
// for a Code block.
std::string KnownExpression(const TProject& project, int32_t id);

// The names of a Dialog's condition and information functions in the export, and whether
// each stands elsewhere (then the export writes none of its own): a kept name or a function
// named in the dialog's texts (model/name_markers.h), else the instance name followed by
// "_condition" and "_info".
struct TDialogFunctions {
    std::string Condition;
    std::string Information;
    bool ConditionElsewhere = false;
    bool InformationElsewhere = false;
};
TDialogFunctions DialogFunctionsOf(const TElement& dialog, const std::string& instanceName);

// Turns blocks into Daedalus source. One compiler serves one export or one preview: it looks
// blocks up by instance name through an index built at its first lookup, so make a new one
// after the tree changed. Messages and the question for an NPC's instance name go to the
// prompter; NPC answers are learnt by the project's NPC table.
class TDialogCompiler {
public:
    TDialogCompiler(TProject& project, TPrompter& prompter);

    std::string InstanceName(int32_t id) const;

    // The id of the first live block (in id order) with exactly this instance name, or -1.
    int32_t FindElementByName(std::string_view name);

    // The instance name of the nearest Dialog at or above the block. Without one: a message
    // and "INVALID".
    std::string DialogAncestorName(int32_t id);

    // Replaces "#id#" by the block's instance name and "#!id#" by its known expression.
    // Throws ECompileError for a reference that is not a number.
    TLines ResolveReferences(const TLines& lines);

    // Turns spoken lines, choice lines and ENDE of a resolved body into Daedalus.
    // Throws EParseError when the lexer fails.
    TLines CompileBody(const TLines& resolved, int32_t id);

    // The whole Daedalus text of the block. Appends "var int Bekannt_..." to
    // `knownDeclarations` when the block needs the variable. Throws ECompileError.
    TLines Compile(int32_t id, TLines& knownDeclarations);

private:
    // ResolveReferences and CompileBody on texts whose lines end in CR LF.
    std::string ResolveText(std::string text);
    std::string CompileBodyText(std::string_view resolved, int32_t id);
    void WriteHeading(const std::string& heading, const std::string& indent, TLines& out) const;
    void CompileDialog(const TElement& element, const std::string& name,
                       const TDialogFunctions& functions, const TLines& condition,
                       const std::string& body, TLines& out);
    // The output name of a spoken line that keeps no name of its own: the instance name and
    // the line's number, skipping numbers whose names other lines keep.
    std::string NewLineName(const std::string& instanceName, int& counter);
    void CompileFunction(const TElement& element, const std::string& name, const TLines& condition,
                         const std::string& body, TLines& out) const;
    bool HoldsCode(const TLines& lines);
    const std::string& NpcInstanceName(const std::string& clearName);

    TProject& Project;
    TPrompter& Prompter;
    TInternalErrorNotice Notice;
    TParser Lexer;
    std::optional<TInstanceNameIndex> Index;
    // Instance names by id, filled as they are needed; a block's name is asked for by every
    // reference to it.
    mutable std::unordered_map<int32_t, std::string> Names;
    // NPC instance names already looked up: the table only grows while compiling, so the
    // first match found stays the first match.
    std::unordered_map<std::string, std::string> NpcInstanceNames;
    // The output names that spoken lines of the project keep, as sorted hashes that do not
    // tell case; gathered when the first new name is made.
    std::optional<std::vector<uint64_t>> KeptLineNames;
};

} // namespace redewerk
