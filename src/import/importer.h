#pragma once

#include "daedalus/parser.h"
#include "import/import_names.h"
#include "import/import_records.h"

#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace redewerk {

class TFileSystem;
class TImportProgress;
class TNode;
class TProject;
class TPrompter;

// A script that an import left out, and why.
struct TSkippedScript {
    std::string Path; // as listed
    // The 1-based place of the fault in the script; 0 when it has none (an unreadable file).
    int Line = 0;
    int Column = 0;
    std::string Message; // one line

    // "PATH:LINE:COLUMN: MESSAGE", or "PATH: MESSAGE" without a place.
    std::string Report() const;
};

// How an import runs.
struct TImportOptions {
    bool FolderForEach = true; // each script gets a sub-folder of its own
    // The first fault ends the run and changes nothing. Otherwise a script that cannot be
    // read or imported is left out and the others are imported.
    bool Strict = false;
    // Dialogs, options and spoken lines keep the names they have in the scripts
    // (model/name_markers.h), so that the export can take the scripts' place.
    bool KeepNames = false;
};

// Reads existing Daedalus dialog scripts into blocks. Derives from the lexer so that it sees
// every token the syntax checker's state machine reads: the machine cuts the scripts into
// declarations and statements, and the recorded tokens (with their positions) tell what each
// one is. Each C_INFO instance becomes a Dialog, each void function offered as an option a
// Choice below the block that offers it, every other declaration a Code block; variables and
// constants go to the project's variables text.
//
// One importer serves one run and is discarded afterwards. A run either completes or leaves
// the project as it was (the NPC table may keep names it learned on the way). A script with
// a fault is left out whole, as if it had not been listed (unless the run is strict): the
// objects of the other scripts are interpreted again without it, so nothing of it remains.
class TImporter : public TParser {
public:
    TImporter(TProject& project, TFileSystem& files, TPrompter& prompter,
              TImportProgress* progress = nullptr, TInternalErrorNotice* notice = nullptr);

    // The whole run over the scripts, in list order. Raises TImportError with the message to
    // show (in a strict run, or when the run fails as a whole); other failures
    // (std::exception) are internal errors. The scripts left out are in Skipped.
    void Import(const std::vector<std::string>& paths);

    // The token readers of the lexer, recording each token with its start position.
    std::string_view ReadIdentifier() override;
    std::string_view ReadOperator() override;
    std::string_view ReadConstant() override;

    // Clears the recorded tokens; at most `limit` tokens are recorded from now on.
    void StartRecording(int32_t limit = std::numeric_limits<int32_t>::max());

    // Whether each script file gets a sub-folder of its own below the run's folder.
    bool FolderForEach = true;
    // Whether the first fault ends the run instead of leaving its script out.
    bool Strict = false;
    // Whether the blocks keep the names of the scripts.
    bool KeepNames = false;
    // The scripts left out, in list order.
    std::vector<TSkippedScript> Skipped;

    // The tokens recorded since StartRecording, with their 1-based start positions.
    std::vector<std::string> Tokens;
    std::vector<int32_t> TokenPos;

private:
    // A listed script: its path, its text as read (the places of faults are counted in it),
    // and whether it is left out and why.
    struct TScript {
        std::string Path;
        std::string Text;
        bool Skipped = false;
        TSkippedScript Fault;
    };
    // A declaration that goes to the variables text, with the comment before it.
    struct TRestDeclaration {
        size_t Script;
        std::string Comment;
        std::string Text;
    };

    // The object of that name (without regard to letter case), or nullptr.
    TImpObj* FindObject(std::string_view identifier);

    // Reads one script into objects and the rest text.
    void ReadScriptFile(const std::string& path);
    // Classifies the declaration of `length` bytes at `start` of Text.
    void StoreDeclaration(const std::string& comment, int32_t start, const std::string& fileName,
                          int32_t length);

    // Interprets the statements of one object (see importer_interpret.cpp).
    void InterpretObject(TImpObj& object);
    // Replaces the statement just read (from the first recorded token to Pos) by `text`.
    void ReplaceStatement(const std::string& text, bool keepLine);
    // Records a reference and checks it at once.
    TImpRef& AddReference(TImpObj& source, TImpObj& target, int32_t pos, TImpRefKind kind);
    // Replaces the names of dialogs, options and dialog functions by block markers.
    void ConvertReferences(TImpObj& object);
    // Cuts a dialog's own condition function down to its condition; false (and the function
    // becomes parentless code) when it is more than a guarded "return TRUE".
    bool SimplifyCondition(TImpObj& condition);
    // The length of the condition in a condition function's body: 0 when it only returns
    // TRUE, up to the ")" of its one guarding if, -1 when the body is more than that.
    int32_t ConditionLength(const std::string& body);

    // Hangs options and dialog functions under the objects that use them.
    void ResolveHierarchy();
    // Cuts the condition function that a dialog owns down to its condition; true when it is
    // more and has become code of its own.
    bool SimplifyOwnCondition(TImpObj& object);
    // Creates the block of an object (and first those of the objects it hangs under).
    void CreateNodes(TImpObj& object);
    // Fills the object's block from the object.
    void CopyIntoElements(TImpObj& object);

    // Reports the start of stage `stage` of the run (an index into the stage table of
    // importer.cpp), and step `step` of `count` of the current stage.
    void StartStage(size_t stage);
    void ReportStep(int step, int count);

    void RecordToken(std::string_view token);
    void ReadAllScripts(const std::vector<std::string>& paths);
    void KeepScriptText(size_t script);
    // Keeps the objects of the scripts not left out, each as it was read.
    void CollectObjects();
    // Each of these leaves out the scripts with a fault and says whether all went well.
    bool InterpretAll();
    bool CheckNames();
    bool CheckBlocks();
    // Leaves out the script of an object with a name that a block cannot keep.
    void CheckKeepableNames(const TImpObj& object);
    // The name line of a dialog or option that keeps its names.
    std::string NameLine(const TImpObj& object) const;
    // Leaves out the script for a fault at the 1-based position `pos` of its text (0: no
    // place); in a strict run raises `strictMessage` instead, or the report's line when
    // that is empty.
    void SkipScript(size_t script, int32_t pos, const std::string& message,
                    const std::string& strictMessage);
    // The position in its script of a position in the object's text as interpreted so far.
    int32_t ScriptPos(const TImpObj& object, int32_t pos) const;
    std::string RestText();
    void CreateFolders();
    void InterpretAssignment(TImpObj& dialog);
    void InterpretStatement(TImpObj& object);
    void NoteShift(TImpObj& object);
    void DropReturnValue(TImpObj& object);
    std::string ExpressionText(size_t first, size_t end) const;
    void TakeOverSpeakerComment();
    void ScanReferences(TImpObj& object);
    bool AcceptCaption(TImpObj& choice, const std::string& token);
    // Whether `variable` ("Bekannt_" and a name) is the known variable of the object's block.
    bool IsOwnKnownVariable(TImpObj& object, std::string_view variable);
    std::string NodeNameFor(const TImpObj& object, TNode* parent);
    TNode* AddNode(TNode* parent, const std::string& name);
    const std::string& UpperPathOf(TNode* node);
    void RemoveRunFromProject();
    int32_t TakeFreeElementId();
    int32_t TokenEnd(size_t index) const;
    bool TokenIs(size_t index, std::string_view upperCased) const;

    std::vector<TScript> Scripts;
    size_t SkippedCount = 0;
    std::vector<TRestDeclaration> RestDeclarations;
    TImpObjList Objects;
    // How much longer the text under interpretation has grown by the edits so far. Edits
    // always lie before the statement being read, so a place in it less the growth is its
    // place in the text as read.
    int32_t TextGrowth = 0;
    int32_t MaxTokens = std::numeric_limits<int32_t>::max();
    TNode* RootNode = nullptr;
    // The end of the token the lexer read last. The state machine skips blanks and comments
    // before re-reading a pushed-back token, so Pos may already stand behind the comments
    // that follow a declaration or statement; its text ends here.
    int32_t LastTokenEnd = 1;
    size_t Stage = 0;

    TProject& Project;
    TFileSystem& Files;
    TPrompter& Prompter;
    TImportProgress* Progress;
    TNameIndex NameIndex;
    std::deque<TImpRef> References; // owns every reference of the run
    // The upper-cased paths of the nodes this run made, so that naming a node needs no walk
    // over the tree; nodes of earlier runs never lie below this run's new folder.
    std::unordered_set<std::string> RunPaths;
    std::unordered_map<TNode*, std::string> UpperPaths;
    // Below this id no slot is free: the run only takes ids, so the search for the lowest
    // free one goes on from the last id taken instead of starting at 0 every time.
    int32_t FreeIdSearchStart = 0;
};

// The outcome of an import run.
struct TScriptImportResult {
    bool Completed = false; // false: the run failed as a whole and changed nothing
    std::vector<TSkippedScript> Skipped;
};

// Runs an import as the "Importieren" command does: an import error is shown unchanged, any
// other failure as "Interner unbehandelter Fehler:" with its message.
TScriptImportResult RunScriptImport(TProject& project, const std::vector<std::string>& paths,
                                    const TImportOptions& options, TFileSystem& files,
                                    TPrompter& prompter, TImportProgress* progress = nullptr);

} // namespace redewerk
