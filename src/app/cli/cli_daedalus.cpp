#include "app/cli/cli.h"
#include "app/cli/cli_prompter.h"
#include "daedalus/highlighter.h"
#include "daedalus/syntax_checker.h"
#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/script_file.h"
#include "model/text_lines.h"

#include <optional>
#include <ostream>

namespace redewerk {
namespace {

std::string ReadProblem(const std::string& path, int error) {
    return "redewerk-cli: Die Datei " + path +
           " kann nicht gelesen werden: " + Cp1252ToUtf8(IoErrorMessage(error));
}

// The colours of the command line: no window, so the window background is white and the
// window text black; other system colours are taken as the usual light grey button face.
TColour ResolveCliColour(TColour colour) {
    if (colour == kClWindow) return MakeColour(255, 255, 255);
    if (colour == kClWindowText) return MakeColour(0, 0, 0);
    return MakeColour(240, 240, 240);
}

} // namespace

int RunCheckCommand(TCliContext& context) {
    std::optional<TCheckMode> mode;
    std::vector<std::string> paths;
    for (const std::string& arg : context.Args) {
        std::optional<TCheckMode> chosen;
        if (arg == "--condition")
            chosen = TCheckMode::Condition;
        else if (arg == "--statements")
            chosen = TCheckMode::Statements;
        else if (arg == "--declarations")
            chosen = TCheckMode::Declarations;
        else if (arg.size() > 1 && arg[0] == '-')
            return UsageError(context, "Unbekannte Option: " + arg);
        else
            paths.push_back(arg);
        if (chosen) {
            if (mode && *mode != *chosen)
                return UsageError(context, "check erlaubt nur eine der Optionen --condition, "
                                           "--statements und --declarations.");
            mode = chosen;
        }
    }
    if (paths.empty()) return UsageError(context, "check braucht mindestens eine Datei.");

    TInternalErrorNotice notice(nullptr); // the CLI reports only the check results
    TParser parser(&notice);
    TCliPrompter prompter(context.Err); // the warning for UTF-8 files that lost characters
    int exit = kExitOk;
    std::string text;
    for (const std::string& path : paths) {
        // Read as the importer reads scripts: UTF-8 files are taken back to Windows-1252.
        if (int error = ReadScriptText(context.Files, path, prompter, text)) {
            context.Err << ReadProblem(path, error) << "\n";
            exit = kExitUsage;
            continue;
        }
        TCheckResult result = CheckSyntax(parser, text, mode.value_or(TCheckMode::Declarations));
        if (result.Ok) {
            context.Out << path << ": " << result.Message << "\n";
            continue;
        }
        const TTextPlace place = PlaceInText(text, static_cast<size_t>(result.ErrorPos));
        context.Out << path << ":" << place.Line << ":" << place.Column << ": "
                    << Cp1252ToUtf8(result.Message) << "\n";
        if (exit == kExitOk) exit = kExitFailure;
    }
    return exit;
}

int RunHighlightCommand(TCliContext& context) {
    std::string source, target;
    bool toFile = false;
    const auto& args = context.Args;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (toFile || i + 1 >= args.size())
                return UsageError(context, "-o braucht genau eine Ausgabedatei.");
            target = args[++i];
            toFile = true;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(context, "Unbekannte Option: " + args[i]);
        } else if (source.empty()) {
            source = args[i];
        } else {
            return UsageError(context, "highlight braucht genau eine Eingabedatei.");
        }
    }
    if (source.empty()) return UsageError(context, "highlight braucht genau eine Eingabedatei.");

    std::string text;
    if (int error = context.Files.ReadFile(source, text)) {
        context.Err << ReadProblem(source, error) << "\n";
        return kExitFailure;
    }
    THighlighter highlighter;
    highlighter.Highlight(text, DefaultColours(), ResolveCliColour);
    if (!toFile) {
        context.Out.write(highlighter.Rtf().data(),
                          static_cast<std::streamsize>(highlighter.Rtf().size()));
        return kExitOk;
    }
    if (int error = context.Files.WriteFile(target, highlighter.Rtf())) {
        context.Err << "redewerk-cli: ";
        if (error == kErrorReadOnly)
            context.Err << Cp1252ToUtf8(WriteErrorMessage(target, error));
        else
            context.Err << "Die Datei " << target << " kann nicht geschrieben werden: "
                        << Cp1252ToUtf8(IoErrorMessage(error));
        context.Err << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace redewerk
