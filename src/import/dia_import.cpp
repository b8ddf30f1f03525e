#include "import/dia_import.h"

#include "import/dia_block_builder.h"
#include "import/dia_reader.h"
#include "import/progress.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/prompter.h"
#include "model/references.h"
#include "model/script_file.h"
#include "model/storable_text.h"
#include "model/text_lines.h"

#include <unordered_set>

namespace redewerk {
namespace {

constexpr const char* kReadStage = "QDC-Datei einlesen...";
constexpr const char* kConvertStage = "Verweise umwandeln...";

// The bar in steps of a hundredth, as the import dialog shows it, scaled to 0..1000.
int BarValue(long long done, long long total, int from, int to) {
    if (total <= 0) return to * 10;
    long long percent = (2 * (to - from) * done + total) / (2 * total); // rounded
    return static_cast<int>((from + percent) * 10);
}

void Report(TImportProgress* progress, const std::string& stage, int step, int count, int bar) {
    if (progress) progress->ShowProgress(stage, step, count, bar);
}

} // namespace

TDiaImportResult ImportDiaFile(TProject& project, const std::string& path, TDiaImportMode mode,
                               TFileSystem& files, TPrompter& prompter, TImportProgress* progress) {
    // Nothing was imported: the dialog keeps the option the user chose.
    TDiaImportResult failed;
    failed.Mode = mode;
    if (!files.FileExists(path)) {
        prompter.ShowMessage("Die angegebene Datei existiert nicht!");
        return failed;
    }
    // A file that an editor saved as UTF-8 is read as the Windows-1252 text it stands for;
    // its byte-order mark would otherwise hide the first line from every rule.
    std::string content;
    if (int error = ReadScriptText(files, path, prompter, content)) {
        prompter.ShowMessage(IoErrorMessage(error) + "\r\n" + PathToCp1252(path));
        return failed;
    }
    return ImportDiaText(project, content, mode, prompter, progress);
}

TDiaImportResult ImportDiaText(TProject& project, std::string_view content, TDiaImportMode mode,
                               TPrompter& prompter, TImportProgress* progress) {
    TDiaImportResult result;
    result.Imported = true;
    if (mode == TDiaImportMode::IntoSelected && !project.Selected) mode = TDiaImportMode::Append;
    result.Mode = mode;
    if (mode == TDiaImportMode::ReplaceProject) project.ClearProject();

    TDiaBlockBuilder builder(project, prompter,
                             mode == TDiaImportMode::IntoSelected ? project.Selected : nullptr);
    TDiaReader reader(project, prompter, builder);

    TLines lines = SplitLines(content);
    const int lineCount = static_cast<int>(lines.size());
    Report(progress, kReadStage, 0, lineCount, 0);
    for (int i = 0; i < lineCount; ++i) {
        reader.HandleLine(std::move(lines[static_cast<size_t>(i)]));
        int read = i + 1;
        if (read % 50 == 0)
            Report(progress, kReadStage, read, lineCount, BarValue(read, lineCount, 0, 50));
    }
    reader.Finish();

    if (TNode* first = builder.FirstCreatedNode()) result.ExpandNode = first->Parent();

    // References were written as paths while the blocks did not exist yet; now every target
    // has its node, so they become ids. The paths use the names the file gives the blocks, and
    // a block that had to take a free name is found by its file name first.
    std::unordered_set<const TNode*> created(builder.CreatedBlocks().begin(),
                                             builder.CreatedBlocks().end());
    project.Tree.ForEachPreOrder([&](TNode* node) {
        if (created.count(node)) result.Blocks.push_back(node);
    });
    const int blockCount = static_cast<int>(result.Blocks.size());
    Report(progress, kConvertStage, 0, blockCount, 500);
    for (int i = 0; i < blockCount; ++i) {
        TNode* node = result.Blocks[static_cast<size_t>(i)];
        TElement* element = node->Element();
        element->Body = ConvertReferencesInText(project, builder.ResolvePaths(element->Body, node),
                                                TRefDirection::PathToId, node, prompter);
        element->Condition =
            ConvertReferencesInText(project, builder.ResolvePaths(element->Condition, node),
                                    TRefDirection::PathToId, node, prompter);
        Report(progress, kConvertStage, i + 1, blockCount, BarValue(i + 1, blockCount, 50, 100));
    }
    ReportReplacedCharacters(MakeProjectStorable(project), prompter);
    return result;
}

} // namespace redewerk
