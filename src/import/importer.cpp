#include "import/importer.h"

#include "import/import_text.h"
#include "import/progress.h"
#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/name_markers.h"
#include "model/project.h"
#include "model/prompter.h"
#include "model/script_file.h"
#include "model/storable_text.h"
#include "model/text_lines.h"

#include <algorithm>

namespace redewerk {
namespace {

// A stage of the run: its text and the part of the bar (0 to 1000) it fills.
struct TStage {
    std::string Text;
    int32_t From, To;
};
// The stages in the order they run; the enum below names their indexes.
const TStage kStages[] = {
    {"Daten einlesen...", 0, 200},
    {"Daten verarbeiten...", 200, 650},
    {"Knotenhierarchie kl\xE4ren...", 650, 680},
    {"Knoten anlegen...", 680, 920},
    {"Referenzen umwandeln...", 920, 960},
    {"Daten in Knoten kopieren...", 960, 1000},
};
enum : size_t {
    kStageRead,
    kStageInterpret,
    kStageHierarchy,
    kStageNodes,
    kStageReferences,
    kStageCopy
};

// Every line end becomes CR LF: the line-oriented edits of the import look for CR LF, and
// the lexer ends a "//" comment at a line feed, so scripts saved with LF alone or with CR
// alone (and mixes of them) read like CR LF scripts. CRs right before an LF belong to that
// line end: "\r\r\n" is what a CR LF file becomes when it is converted once more.
std::string WithCrLf(std::string_view text) {
    // Most scripts have CR LF line ends already; two quick scans tell.
    size_t lineFeeds = 0;
    bool crLf = true;
    for (size_t at = text.find('\n'); crLf && at != std::string_view::npos;
         at = text.find('\n', at + 1), ++lineFeeds)
        crLf = at > 0 && text[at - 1] == '\r';
    if (crLf && static_cast<size_t>(std::count(text.begin(), text.end(), '\r')) == lineFeeds)
        return std::string(text);

    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size();) {
        size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        result.append(text, i, end - i);
        if (end == text.size()) break;
        result += "\r\n";
        i = end + 1;
        if (text[end] == '\r') {
            size_t next = i;
            while (next < text.size() && text[next] == '\r')
                ++next;
            // CRs followed by an LF are one line end; a CR alone ends a line of its own.
            if (next < text.size() && text[next] == '\n') i = next + 1;
        }
    }
    return result;
}

// The name N of a declaration "var int Bekannt_N;", the variable an export declares for a
// block asked as known; empty for any other declaration.
std::string_view KnownVariableDeclared(std::string_view declaration) {
    auto word = [&](std::string_view upper) {
        declaration = TrimImportText(declaration);
        if (declaration.size() <= upper.size() ||
            UpperCaseAscii(declaration.substr(0, upper.size())) != upper)
            return false;
        declaration.remove_prefix(upper.size());
        return true;
    };
    if (!word("VAR") || !TParser::IsBlank(declaration[0]) || !word("INT") ||
        !TParser::IsBlank(declaration[0]) || !word("BEKANNT_") || !declaration.ends_with(";"))
        return {};
    declaration = TrimImportText(declaration.substr(0, declaration.size() - 1));
    for (char c : declaration)
        if (c != '_' && !TParser::IsLetter(c) && !TParser::IsDigit(c)) return {};
    return declaration;
}

// The body of a declaration from just after its opening "{" to before its closing "}" and
// ";". The checker has made sure the declaration ends that way; only blanks or comments can
// stand between the two.
std::string_view BlockBody(std::string_view declaration, size_t afterBrace) {
    if (afterBrace > declaration.size()) return {};
    std::string_view body = declaration.substr(afterBrace);
    size_t close = body.rfind('}');
    if (close == std::string_view::npos) close = body.size() >= 2 ? body.size() - 2 : 0;
    return body.substr(0, close);
}

} // namespace

TImporter::TImporter(TProject& project, TFileSystem& files, TPrompter& prompter,
                     TImportProgress* progress, TInternalErrorNotice* notice)
    : TParser(notice), Project(project), Files(files), Prompter(prompter), Progress(progress) {
    TokenPos.reserve(50);
    ShiftOperators = true; // scripts are read as the game's compiler reads them
}

// --- Token recording ---

void TImporter::RecordToken(std::string_view token) {
    if (token.empty()) return;
    const int32_t start = Pos - static_cast<int32_t>(token.size());
    // A token read again after a push-back starts where the last one did: record it once.
    if (!TokenPos.empty() && start <= TokenPos.back()) return;
    if (static_cast<int64_t>(Tokens.size()) >= MaxTokens) return;
    Tokens.emplace_back(token);
    TokenPos.push_back(start);
}

std::string_view TImporter::ReadIdentifier() {
    std::string_view token = TParser::ReadIdentifier();
    LastTokenEnd = Pos;
    RecordToken(token);
    return token;
}

std::string_view TImporter::ReadOperator() {
    std::string_view token = TParser::ReadOperator();
    LastTokenEnd = Pos;
    RecordToken(token);
    return token;
}

std::string_view TImporter::ReadConstant() {
    std::string_view token = TParser::ReadConstant();
    LastTokenEnd = Pos;
    RecordToken(token);
    return token;
}

void TImporter::StartRecording(int32_t limit) {
    Tokens.clear();
    TokenPos.clear();
    MaxTokens = limit;
}

TImpObj* TImporter::FindObject(std::string_view identifier) {
    if (!NameIndex.IsBuilt()) NameIndex.Build(Objects);
    const int index = NameIndex.Find(identifier);
    return index < 0 ? nullptr : &Objects[static_cast<size_t>(index)];
}

// --- Reading ---

void TImporter::ReadScriptFile(const std::string& path) {
    const size_t script = Scripts.size();
    Scripts.push_back({path, {}, false, {}});
    std::string text;
    if (int error = ReadScriptText(Files, path, Prompter, text)) {
        SkipScript(script, 0, "Datei nicht lesbar (" + SystemErrorText(error) + ")",
                   UnreadableFileMessage(path, error));
        return;
    }
    SetText(WithCrLf(text));
    LastTokenEnd = 1;
    PushState(STDaed);
    const std::string fileName = PathToCp1252(FileNameOf(path));
    const size_t objectsBefore = Objects.size(), restBefore = RestDeclarations.size();
    try {
        for (;;) {
            StartRecording(6);
            // The blanks and comments since the end of the previous declaration.
            const int32_t before = LastTokenEnd;
            SkipBlanks();
            const std::string comment(
                TrimImportText(std::string_view(Text).substr(before - 1, Pos - before)));
            const int32_t start = Pos;
            do {
                Step();
            } while (StateStack.size() > 1);
            if (StateStack.empty()) {
                // The declaration list ends before anything that is no declaration; the old
                // importer dropped the rest of the file silently.
                if (!AtEnd || Pos != static_cast<int32_t>(Text.size()))
                    throw EParseError("Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.");
                break;
            }
            StoreDeclaration(comment, start, fileName, LastTokenEnd - start);
        }
    } catch (const EParseError& error) {
        Objects.resize(objectsBefore);
        RestDeclarations.resize(restBefore);
        const int32_t place = ErrorPlace() + 1;
        KeepScriptText(script);
        SkipScript(script, place, error.Message(),
                   "Syntax Error in Datei: " + PathToCp1252(path) + "\r\n" + error.Message() +
                       "\r\n" + "Import abgebrochen.");
        return;
    }
    KeepScriptText(script);
}

void TImporter::KeepScriptText(size_t script) {
    // The parser's text goes to the script; the next SetText gives the parser a new one.
    Text.pop_back();
    Scripts[script].Text = std::move(Text);
    Text.assign(1, '\0');
}

void TImporter::StoreDeclaration(const std::string& comment, int32_t start,
                                 const std::string& fileName, int32_t length) {
    const std::string_view declaration = std::string_view(Text).substr(start - 1, length);
    const std::string first = Tokens.empty() ? std::string() : UpperCaseAscii(Tokens[0]);
    if (Tokens.size() < 5 || first == "VAR" || first == "CONST") {
        RestDeclarations.push_back({Scripts.size() - 1, comment, std::string(declaration)});
        return;
    }
    TImpObj& object = Objects.emplace_back();
    object.FileName = fileName;
    object.Comment = comment;
    object.Name = Tokens[1];
    object.ObjType = TpCode;
    object.Script = Scripts.size() - 1;
    object.DeclarationPos = start;
    // The offset of the body in the declaration, when the sixth token opens it.
    auto bodyAfterSixth = [&]() -> int64_t {
        if (Tokens.size() < 6 || Tokens[5] != "{") return -1;
        return TokenPos[5] - start + 1;
    };
    int64_t bodyStart = -1;
    if (first == "FUNC") {
        object.Name = Tokens[2];
        const std::string type = UpperCaseAscii(Tokens[1]);
        if (type == "VOID" || type == "INT") {
            bodyStart = bodyAfterSixth();
            if (bodyStart >= 0) object.ObjType = type == "VOID" ? TpVoid : TpInt;
            object.DeclaredInt = type == "INT";
        }
    } else if (first == "INSTANCE" && UpperCaseAscii(Tokens[3]) == "C_INFO") {
        // An instance without a body ("instance A (C_INFO);") stays code.
        bodyStart = bodyAfterSixth();
        if (bodyStart >= 0) object.ObjType = TpDia;
    }
    const std::string_view body = TrimImportText(
        object.ObjType == TpCode ? declaration
                                 : BlockBody(declaration, static_cast<size_t>(bodyStart)));
    object.BodyText = body;
    object.BodyPos = static_cast<int32_t>(body.data() - Text.data()) + 1;
    object.BodyLength = static_cast<int32_t>(body.size());
    object.ReadType = object.ObjType;
}

// --- The run ---

void TImporter::StartStage(size_t stage) {
    Stage = stage;
    ReportStep(0, -1);
}

void TImporter::ReportStep(int step, int count) {
    const TStage& stage = kStages[Stage];
    int32_t bar = stage.From;
    if (count > 0)
        bar += static_cast<int32_t>(static_cast<int64_t>(stage.To - stage.From) * step / count);
    if (Progress) Progress->ShowProgress(stage.Text, step, count, bar);
}

void TImporter::SkipScript(size_t script, int32_t pos, const std::string& message,
                           const std::string& strictMessage) {
    TScript& skipped = Scripts[script];
    if (skipped.Skipped) return; // only its first fault is reported
    TSkippedScript entry;
    entry.Path = skipped.Path;
    if (pos > 0) {
        const TTextPlace place = PlaceInText(skipped.Text, static_cast<size_t>(pos - 1));
        entry.Line = place.Line;
        entry.Column = place.Column;
    }
    // The report gives each script one line.
    for (char c : message) {
        if (c == '\n' && !entry.Message.empty() && entry.Message.back() == ' ') continue;
        entry.Message += c == '\r' || c == '\n' ? ' ' : c;
    }
    if (Strict) throw TImportError(strictMessage.empty() ? entry.Report() : strictMessage);
    skipped.Skipped = true;
    skipped.Fault = std::move(entry);
    ++SkippedCount;
}

int32_t TImporter::ScriptPos(const TImpObj& object, int32_t pos) const {
    if (pos <= 0) return object.DeclarationPos;
    return object.BodyPos + std::max(pos - TextGrowth, 1) - 1;
}

void TImporter::ReadAllScripts(const std::vector<std::string>& paths) {
    StartStage(kStageRead);
    const int count = static_cast<int>(paths.size());
    for (int i = 0; i < count; ++i) {
        ReportStep(i, count);
        ReadScriptFile(paths[static_cast<size_t>(i)]);
    }
}

void TImporter::CollectObjects() {
    TImpObjList kept;
    for (TImpObj& read : Objects) {
        if (Scripts[read.Script].Skipped) continue;
        TImpObj& object = kept.emplace_back();
        object.FileName = std::move(read.FileName);
        object.Name = std::move(read.Name);
        object.Comment = std::move(read.Comment);
        object.BodyText = Scripts[read.Script].Text.substr(static_cast<size_t>(read.BodyPos - 1),
                                                           static_cast<size_t>(read.BodyLength));
        object.ObjType = object.ReadType = read.ReadType;
        object.DeclaredInt = read.DeclaredInt;
        object.Script = read.Script;
        object.DeclarationPos = read.DeclarationPos;
        object.BodyPos = read.BodyPos;
        object.BodyLength = read.BodyLength;
    }
    Objects = std::move(kept);
    References.clear();
    NameIndex.Clear();
}

bool TImporter::InterpretAll() {
    StartStage(kStageInterpret);
    const size_t skippedBefore = SkippedCount;
    const int count = static_cast<int>(Objects.size());
    int step = 0;
    const std::string prefix = "Fehler beim Interpretieren der einzelnen Objekte: \r\n";
    auto interpret = [&](TImpObj& object) {
        ReportStep(step++, count);
        try {
            InterpretObject(object);
        } catch (const TImportError& error) {
            SkipScript(object.Script, ScriptPos(object, error.Pos), error.what(),
                       prefix + error.what());
        } catch (const EParseError& error) {
            SkipScript(object.Script, ScriptPos(object, ErrorPlace() + 1), error.Message(),
                       prefix + error.Message());
        }
    };
    // Dialogs first: their condition and information references settle the roles of the
    // functions before any function is interpreted.
    for (TImpObj& object : Objects)
        if (object.ObjType == TpDia) interpret(object);
    for (TImpObj& object : Objects)
        if (object.ObjType != TpDia) interpret(object);
    return SkippedCount == skippedBefore;
}

bool TImporter::CheckNames() {
    const size_t skippedBefore = SkippedCount;
    // Of each name defined twice, the later definitions go; the first one stays.
    for (const TImpObj* duplicate : LaterDefinitions(Objects)) {
        const std::string message = "Doppelt definierter Bezeichner: " + duplicate->Name;
        SkipScript(duplicate->Script, duplicate->DeclarationPos, message, message);
    }
    return SkippedCount == skippedBefore;
}

bool TImporter::CheckBlocks() {
    const size_t skippedBefore = SkippedCount;
    for (TImpObj& object : Objects) {
        if (object.ObjType == TpDia && LacksDialogFunctions(object)) {
            const std::string message = "Fehler bei " + object.Name + "\r\n" +
                                        "Dem Dialog fehlt die Condition und/oder Information!";
            SkipScript(object.Script, object.DeclarationPos, message, message);
        }
        if (KeepNames) CheckKeepableNames(object);
        // A shift in a condition is fine as long as the condition stays one.
        if (!object.ShiftPos || (object.ObjType == TpCondition && object.Parent &&
                                 ConditionLength(object.BodyText) >= 0))
            continue;
        const TScript& script = Scripts[object.Script];
        const std::string shift = script.Text.substr(static_cast<size_t>(object.ShiftPos - 1), 2);
        SkipScript(object.Script, object.ShiftPos,
                   "Schiebeoperator \"" + shift + "\" in " + object.Name +
                       ": Im Text eines Bausteins beginnt \"" + shift +
                       "\" eine gesprochene Zeile.",
                   "");
    }
    return SkippedCount == skippedBefore;
}

void TImporter::CheckKeepableNames(const TImpObj& object) {
    std::vector<std::string_view> names;
    if (object.ObjType == TpChoice) names.push_back(object.Name);
    if (object.ObjType == TpDia && object.Info) {
        const TDialogInfo& info = *object.Info;
        names = {object.Name, info.CondName, info.InfoName};
    }
    for (std::string_view name : names)
        if (!IsKeepableName(name)) {
            const std::string message = "Der Name \"" + std::string(name) +
                                        "\" l\xE4sst sich nicht beibehalten: nur Buchstaben, "
                                        "Ziffern und \"_\", am Anfang keine Ziffer.";
            SkipScript(object.Script, object.DeclarationPos, message, message);
            return;
        }
}

std::string TImporter::RestText() {
    std::string text;
    for (const TRestDeclaration& rest : RestDeclarations) {
        if (Scripts[rest.Script].Skipped) continue;
        // An export declares the known variables of its blocks; the export of this run will
        // declare them again where they are needed.
        if (const TImpObj* known = FindObject(KnownVariableDeclared(rest.Text)))
            if (known->ObjType == TpDia || known->ObjType == TpChoice) continue;
        if (text.size() >= 2 && !text.ends_with("\r\n")) text += "\r\n";
        if (!rest.Comment.empty()) text += rest.Comment + "\r\n";
        text += rest.Text;
    }
    return text;
}

void TImporter::Import(const std::vector<std::string>& paths) {
    Scripts.clear();
    Skipped.clear();
    SkippedCount = 0;
    Objects.clear();
    References.clear();
    NameIndex.Clear();
    RestDeclarations.clear();
    RunPaths.clear();
    UpperPaths.clear();
    RootNode = nullptr;
    FreeIdSearchStart = 0;

    ReadAllScripts(paths);
    // Each fault leaves its script out; the others are interpreted again without it, so that
    // nothing it did (a reference, a role it gave a function) stays behind.
    for (bool again = false;; again = true) {
        if (again) CollectObjects();
        if (!InterpretAll() || !CheckNames()) continue;
        ResolveHierarchy();
        if (CheckBlocks()) break;
    }
    for (TScript& script : Scripts)
        if (script.Skipped) Skipped.push_back(std::move(script.Fault));
    // When every listed script was left out there is nothing to add.
    if (!paths.empty() && Skipped.size() == paths.size()) return;
    StartStage(kStageHierarchy);

    // From here on the run changes the tree; a failure takes all of it back.
    try {
        StartStage(kStageNodes);
        if (KeepNames)
            for (TImpObj& object : Objects)
                SimplifyOwnCondition(object);
        CreateFolders();
        const int count = static_cast<int>(Objects.size());
        for (int i = 0; i < count; ++i) {
            ReportStep(i, count);
            CreateNodes(Objects[static_cast<size_t>(i)]);
        }

        StartStage(kStageReferences);
        for (int i = 0; i < count; ++i) {
            ReportStep(i, count);
            ConvertReferences(Objects[static_cast<size_t>(i)]);
        }

        StartStage(kStageCopy);
        for (int i = 0; i < count; ++i) {
            ReportStep(i, count);
            CopyIntoElements(Objects[static_cast<size_t>(i)]);
        }
    } catch (...) {
        RemoveRunFromProject();
        throw;
    }

    Project.Variables = SplitLines(JoinLines(Project.Variables) + "\r\n" + RestText());
}

void TImporter::RemoveRunFromProject() {
    if (!RootNode) return;
    Project.DeleteSubtree(RootNode);
    RootNode = nullptr;
    for (TImpObj& object : Objects)
        object.ElementId = -1;
}

std::string TSkippedScript::Report() const {
    std::string place = PathToCp1252(Path);
    if (Line > 0) place += ":" + std::to_string(Line) + ":" + std::to_string(Column);
    return place + ": " + Message;
}

TScriptImportResult RunScriptImport(TProject& project, const std::vector<std::string>& paths,
                                    const TImportOptions& options, TFileSystem& files,
                                    TPrompter& prompter, TImportProgress* progress) {
    TScriptImportResult result;
    TInternalErrorNotice notice(&prompter);
    try {
        TImporter importer(project, files, prompter, progress, &notice);
        importer.FolderForEach = options.FolderForEach;
        importer.Strict = options.Strict;
        importer.KeepNames = options.KeepNames;
        importer.Import(paths);
        ReportReplacedCharacters(MakeProjectStorable(project), prompter);
        result.Completed = true;
        result.Skipped = std::move(importer.Skipped);
    } catch (const TImportError& error) {
        prompter.ShowMessage(error.what());
    } catch (const EParseError& error) {
        prompter.ShowMessage("Interner unbehandelter Fehler:\r\n" + error.Message());
    } catch (const std::exception& error) {
        prompter.ShowMessage(std::string("Interner unbehandelter Fehler:\r\n") + error.what());
    }
    return result;
}

} // namespace redewerk
