#include "import/importer.h"

#include "import/import_text.h"
#include "import/progress.h"
#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/prompter.h"
#include "model/script_file.h"
#include "model/storable_text.h"

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
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size();) {
        const size_t end = std::min(text.find_first_of("\r\n", i), text.size());
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
    std::string text;
    if (int error = ReadScriptText(Files, path, Prompter, text))
        throw TImportError(UnreadableFileMessage(path, error));
    SetText(WithCrLf(text));
    LastTokenEnd = 1;
    PushState(STDaed);
    const std::string fileName = PathToCp1252(FileNameOf(path));
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
        throw TImportError("Syntax Error in Datei: " + PathToCp1252(path) + "\r\n" +
                           error.Message() + "\r\n" + "Import abgebrochen.");
    }
}

void TImporter::StoreDeclaration(const std::string& comment, int32_t start,
                                 const std::string& fileName, int32_t length) {
    const std::string_view declaration = std::string_view(Text).substr(start - 1, length);
    const std::string first = Tokens.empty() ? std::string() : UpperCaseAscii(Tokens[0]);
    if (Tokens.size() < 5 || first == "VAR" || first == "CONST") {
        if (RestText.size() >= 2 && !RestText.ends_with("\r\n")) RestText += "\r\n";
        if (!comment.empty()) RestText += comment + "\r\n";
        RestText += declaration;
        return;
    }
    TImpObj& object = Objects.emplace_back();
    object.FileName = fileName;
    object.Comment = comment;
    object.Name = Tokens[1];
    object.ObjType = TpCode;
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
        }
    } else if (first == "INSTANCE" && UpperCaseAscii(Tokens[3]) == "C_INFO") {
        // An instance without a body ("instance A (C_INFO);") stays code.
        bodyStart = bodyAfterSixth();
        if (bodyStart >= 0) object.ObjType = TpDia;
    }
    if (object.ObjType == TpCode)
        object.BodyText = TrimImportText(declaration);
    else
        object.BodyText = TrimImportText(BlockBody(declaration, static_cast<size_t>(bodyStart)));
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

void TImporter::ReadAllScripts(const std::vector<std::string>& paths) {
    StartStage(kStageRead);
    const int count = static_cast<int>(paths.size());
    for (int i = 0; i < count; ++i) {
        ReportStep(i, count);
        ReadScriptFile(paths[static_cast<size_t>(i)]);
    }
}

void TImporter::InterpretAll() {
    StartStage(kStageInterpret);
    const int count = static_cast<int>(Objects.size());
    int step = 0;
    try {
        // Dialogs first: their condition and information references settle the roles of
        // the functions before any function is interpreted.
        for (TImpObj& object : Objects) {
            if (object.ObjType != TpDia) continue;
            ReportStep(step++, count);
            InterpretObject(object);
        }
        for (TImpObj& object : Objects) {
            if (object.ObjType == TpDia) continue;
            ReportStep(step++, count);
            InterpretObject(object);
        }
    } catch (const TImportError& error) {
        throw TImportError(std::string("Fehler beim Interpretieren der einzelnen Objekte: \r\n") +
                           error.what());
    } catch (const EParseError& error) {
        throw TImportError("Fehler beim Interpretieren der einzelnen Objekte: \r\n" +
                           error.Message());
    }
    const std::string duplicate = FindDuplicateName(Objects);
    if (!duplicate.empty()) throw TImportError("Doppelt definierter Bezeichner: " + duplicate);
}

void TImporter::Import(const std::vector<std::string>& paths) {
    RestText.clear();
    Objects.clear();
    References.clear();
    NameIndex.Clear();
    RunPaths.clear();
    UpperPaths.clear();
    RootNode = nullptr;
    FreeIdSearchStart = 0;

    ReadAllScripts(paths);
    InterpretAll();

    StartStage(kStageHierarchy);
    ResolveHierarchy();

    // From here on the run changes the tree; a failure takes all of it back.
    try {
        StartStage(kStageNodes);
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

    Project.Variables = SplitLines(JoinLines(Project.Variables) + "\r\n" + RestText);
}

void TImporter::RemoveRunFromProject() {
    if (!RootNode) return;
    Project.DeleteSubtree(RootNode);
    RootNode = nullptr;
    for (TImpObj& object : Objects)
        object.ElementId = -1;
}

bool RunScriptImport(TProject& project, const std::vector<std::string>& paths, bool folderForEach,
                     TFileSystem& files, TPrompter& prompter, TImportProgress* progress) {
    TInternalErrorNotice notice(&prompter);
    try {
        TImporter importer(project, files, prompter, progress, &notice);
        importer.FolderForEach = folderForEach;
        importer.Import(paths);
        ReportReplacedCharacters(MakeProjectStorable(project), prompter);
        return true;
    } catch (const TImportError& error) {
        prompter.ShowMessage(error.what());
    } catch (const EParseError& error) {
        prompter.ShowMessage("Interner unbehandelter Fehler:\r\n" + error.Message());
    } catch (const std::exception& error) {
        prompter.ShowMessage(std::string("Interner unbehandelter Fehler:\r\n") + error.what());
    }
    return false;
}

} // namespace redewerk
