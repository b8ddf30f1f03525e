#include "app/cli/cli.h"
#include "app/cli/cli_prompter.h"
#include "gamefiles/output_unit_file.h"
#include "model/cp1252.h"

#include <ostream>

namespace redewerk {

void PrintOutputUnitReport(TCliContext& context, const TOutputUnitReport& report) {
    for (const auto& warning : report.Warnings)
        context.Err << Cp1252ToUtf8(warning) << "\n";
    if (!report.Written) return;
    context.Out << Cp1252ToUtf8(OutputUnitSummary(report.Merge)) << "\n";
    if (!report.CompiledTwin.empty())
        context.Out << Cp1252ToUtf8(CompiledTwinReminder(report.CompiledTwin)) << "\n";
}

// ou OUT.csl SCRIPT.d... [--into EXISTING.csl]
int RunOutputUnitsCommand(TCliContext& context) {
    std::vector<std::string> positional;
    std::string into;
    const auto& args = context.Args;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--into") {
            if (i + 1 == args.size()) return UsageError(context, "--into braucht einen Wert.");
            into = args[++i];
        } else if (args[i].starts_with("--")) {
            return UsageError(context, "Unbekannte Option: " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() < 2)
        return UsageError(context, "ou braucht eine Ausgabedatei und mindestens ein Skript.");

    TCliPrompter prompter(context.Err); // the warning for UTF-8 scripts that lost characters
    const std::vector<std::string> scripts(positional.begin() + 1, positional.end());
    const TOutputUnitReport report =
        UpdateOutputUnitsFromFiles(context.Files, prompter, scripts, positional[0], into);
    PrintOutputUnitReport(context, report);
    if (report.Written) return kExitOk;
    prompter.ShowMessage(report.Error);
    return kExitFailure;
}

} // namespace redewerk
