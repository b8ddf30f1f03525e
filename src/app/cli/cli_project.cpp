#include "app/cli/cli.h"
#include "app/cli/cli_prompter.h"
#include "model/cp1252.h"
#include "model/project.h"
#include "model/project_file.h"

#include <ostream>

namespace redewerk {

int RunInfoCommand(TCliContext& context) {
    if (context.Args.size() != 1)
        return UsageError(context, "info braucht genau eine Projektdatei.");
    TProject project;
    TCliPrompter prompter(context.Err);
    if (!LoadProject(project, context.Args[0], context.Files, prompter)) return kExitFailure;
    project.Tree.ForEachPreOrder([&](TNode* node, int level) {
        std::string line(static_cast<size_t>(level) * 2, ' ');
        line += node->Text();
        if (const TElement* element = node->Element())
            line += std::string(" [") + KindCaption(element->Kind) + " #" +
                    std::to_string(element->Id) + "]";
        else
            line += " [Ordner]";
        context.Out << Cp1252ToUtf8(line) << "\n";
    });
    return kExitOk;
}

int RunResaveCommand(TCliContext& context) {
    if (context.Args.size() != 2)
        return UsageError(context, "resave braucht eine Eingabe- und eine Ausgabedatei.");
    TProject project;
    TCliPrompter prompter(context.Err);
    if (!LoadProject(project, context.Args[0], context.Files, prompter)) return kExitFailure;
    return SaveProject(project, context.Args[1], context.Files, prompter) ? kExitOk : kExitFailure;
}

} // namespace redewerk
