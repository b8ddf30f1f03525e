#include "app/cli/cli.h"
#include "app/cli/cli_prompter.h"
#include "codegen/compiler.h"
#include "codegen/exporter.h"
#include "model/cp1252.h"
#include "model/project.h"
#include "model/project_file.h"

#include <ostream>

namespace redewerk {
namespace {

// Answers every overwrite question with yes-to-all without printing it: --overwrite was asked
// for on the command line.
class TOverwritingPrompter : public TCliPrompter {
public:
    using TCliPrompter::TCliPrompter;
    TOverwriteAnswer AskOverwrite(const std::string&) override {
        return TOverwriteAnswer::YesToAll;
    }
};

} // namespace

int RunCompileCommand(TCliContext& context) {
    if (context.Args.size() != 2)
        return UsageError(context, "compile braucht eine Projektdatei und einen Knotenpfad.");
    TProject project;
    TCliPrompter prompter(context.Err);
    if (!LoadProject(project, context.Args[0], context.Files, prompter)) return kExitFailure;
    const TNode* node = FindNodeArgument(context, project, context.Args[1]);
    if (!node) return kExitFailure;
    const TElement* element = node->Element();
    if (!element) {
        context.Err << "redewerk-cli: \"" << Cp1252ToUtf8(node->Path())
                    << "\" ist ein Ordner und erzeugt keinen Code.\n";
        return kExitFailure;
    }
    project.ComputeKnownTargets();
    TDialogCompiler compiler(project, prompter);
    TLines declarations;
    try {
        // The bytes as the exporter writes them: Windows-1252 with CR LF.
        context.Out << JoinLines(compiler.Compile(element->Id, declarations));
    } catch (const ECompileError& error) {
        prompter.ShowMessage(error.Message());
        return kExitFailure;
    }
    return kExitOk;
}

int RunExportCommand(TCliContext& context) {
    const auto& args = context.Args;
    if (args.empty()) return UsageError(context, "export braucht eine Projektdatei.");
    TCompiled compiled;
    bool haveName = false;
    bool haveFolder = false;
    bool overwrite = false;
    bool strict = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--name" || option == "--folder" || option == "--ou") {
            if (i + 1 >= args.size()) return UsageError(context, option + " braucht einen Wert.");
            if (option == "--name") {
                compiled.ProjectName = Utf8ToCp1252(args[++i]);
                haveName = true;
            } else if (option == "--folder") {
                compiled.Folder = args[++i];
                haveFolder = true;
            } else {
                compiled.UpdateOutputUnits = true;
                compiled.OutputUnitsFile = args[++i];
            }
        } else if (option == "--one-file") {
            compiled.SeparateEvents = false;
        } else if (option == "--variables-in-events") {
            compiled.SeparateVariables = false;
        } else if (option == "--npc-globals") {
            compiled.WriteNpcGlobals = true;
        } else if (option == "--code-as-dialog") {
            compiled.CodeAsDialog = true;
        } else if (option == "--overwrite") {
            overwrite = true;
        } else if (option == "--strict") {
            strict = true;
        } else {
            return UsageError(context, "Unbekannte Option für export: " + option);
        }
    }
    if (!haveName || !haveFolder) return UsageError(context, "export braucht --name und --folder.");
    if (compiled.ProjectName.empty())
        return UsageError(context, "Der Projektname darf nicht leer sein.");

    TProject project;
    TOverwritingPrompter overwriting(context.Err);
    TCliPrompter asking(context.Err, TPrompter::TOverwriteAnswer::Abort);
    TCliPrompter& prompter = overwrite ? overwriting : asking;
    if (!LoadProject(project, args[0], context.Files, prompter)) return kExitFailure;
    compiled.ProjectFile = args[0];
    // Findings are printed and the files written all the same, so that a pipeline that ran
    // before keeps running; --strict refuses to write them.
    const auto review = [&](const std::vector<TExportFinding>& findings) {
        for (const auto& finding : findings)
            context.Err << Cp1252ToUtf8(FormatFinding(finding)) << "\n";
        if (strict)
            context.Err << "redewerk-cli: Der erzeugte Code enthält Fehler (--strict): nichts "
                           "geschrieben.\n";
        return !strict;
    };
    TExportReport report = ExportProject(project, compiled, context.Files, prompter, review);
    for (const auto& file : report.WrittenFiles)
        context.Out << file << "\n";
    if (report.OutputUnits && report.OutputUnits->Written)
        context.Out << compiled.OutputUnitsFile << "\n";
    if (report.OutputUnits) PrintOutputUnitReport(context, *report.OutputUnits);
    return report.Result == TExportResult::Exported ? kExitOk : kExitFailure;
}

} // namespace redewerk
