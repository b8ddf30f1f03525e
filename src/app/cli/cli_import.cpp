#include "app/cli/cli.h"
#include "app/cli/cli_prompter.h"
#include "import/importer.h"
#include "import/progress.h"
#include "model/cp1252.h"
#include "model/project.h"
#include "model/project_file.h"

#include <optional>
#include <ostream>

namespace redewerk {
namespace {

// Writes each stage's text to stderr once, when the stage begins.
class TStageProgress : public TImportProgress {
public:
    explicit TStageProgress(std::ostream& err) : Err(err) {}
    void ShowProgress(const std::string& stageText, int, int, int) override {
        if (stageText == LastStage) return;
        LastStage = stageText;
        Err << Cp1252ToUtf8(stageText) << "\n";
    }

private:
    std::ostream& Err;
    std::string LastStage;
};

int LiveBlocks(const TProject& project) {
    int count = 0;
    project.Elements.ForEach([&](const TElement& element) { count += !element.IsFree(); });
    return count;
}

} // namespace

// import OUT.dlx SCRIPT.d... [--into BASE.dlx] [--no-folder-per-file] [--keep-names]
//        [--strict]
int RunImportCommand(TCliContext& context) {
    std::vector<std::string> positional;
    std::optional<std::string> base;
    TImportOptions options;
    const auto& args = context.Args;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--into") {
            if (i + 1 == args.size()) return UsageError(context, "--into braucht einen Wert.");
            base = args[++i];
        } else if (args[i] == "--no-folder-per-file") {
            options.FolderForEach = false;
        } else if (args[i] == "--keep-names") {
            options.KeepNames = true;
        } else if (args[i] == "--strict") {
            options.Strict = true;
        } else if (args[i].starts_with("--")) {
            return UsageError(context, "Unbekannte Option: " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() < 2)
        return UsageError(context, "import braucht eine Ausgabedatei und mindestens ein Skript.");

    TProject project;
    TCliPrompter prompter(context.Err);
    if (base && !LoadProject(project, *base, context.Files, prompter)) return kExitFailure;
    const int before = LiveBlocks(project);

    TStageProgress progress(context.Err);
    const std::vector<std::string> scripts(positional.begin() + 1, positional.end());
    const TScriptImportResult result =
        RunScriptImport(project, scripts, options, context.Files, prompter, &progress);
    if (!result.Completed) return kExitFailure;
    // The scripts left out are named; the project gets the others.
    for (const TSkippedScript& skipped : result.Skipped)
        context.Err << Cp1252ToUtf8(skipped.Report()) << "\n";
    if (!SaveProject(project, positional[0], context.Files, prompter)) return kExitFailure;
    context.Out << ImportedBlocksLine(static_cast<size_t>(LiveBlocks(project) - before));
    return result.Skipped.empty() ? kExitOk : kExitFailure;
}

} // namespace redewerk
