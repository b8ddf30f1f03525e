#include "app/cli/cli.h"
#include "app/cli/cli_prompter.h"
#include "import/dia_import.h"
#include "model/project.h"
#include "model/project_file.h"

#include <optional>
#include <ostream>

namespace redewerk {

// import-dia OUT.dlx FILE.dia [--into BASE.dlx] [--replace | --folder NODEPATH]
int RunImportDiaCommand(TCliContext& context) {
    std::vector<std::string> positional;
    std::optional<std::string> base;
    std::optional<std::string> folder;
    bool replace = false;
    const auto& args = context.Args;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--into" || args[i] == "--folder") {
            if (i + 1 == args.size()) return UsageError(context, args[i] + " braucht einen Wert.");
            std::optional<std::string>& value = args[i] == "--into" ? base : folder;
            value = args[i + 1];
            ++i;
        } else if (args[i] == "--replace") {
            replace = true;
        } else if (args[i].starts_with("--")) {
            return UsageError(context, "Unbekannte Option: " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2)
        return UsageError(context, "import-dia braucht eine Ausgabe- und eine .dia-Datei.");
    if (replace && folder) return UsageError(context, "--replace und --folder schließen sich aus.");

    TProject project;
    TCliPrompter prompter(context.Err);
    if (base && !LoadProject(project, *base, context.Files, prompter)) return kExitFailure;

    TDiaImportMode mode = TDiaImportMode::Append;
    if (replace) mode = TDiaImportMode::ReplaceProject;
    if (folder) {
        TNode* node = FindNodeArgument(context, project, *folder);
        if (!node) return kExitFailure;
        project.Selected = node;
        mode = TDiaImportMode::IntoSelected;
    }

    TDiaImportResult result = ImportDiaFile(project, positional[1], mode, context.Files, prompter);
    if (!result.Imported) return kExitFailure;
    if (!SaveProject(project, positional[0], context.Files, prompter)) return kExitFailure;
    context.Out << ImportedBlocksLine(result.Blocks.size());
    return kExitOk;
}

} // namespace redewerk
