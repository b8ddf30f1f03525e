#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace redewerk {

class TFileSystem;
class TNode;
class TProject;
struct TOutputUnitReport;

// What a command of redewerk-cli works with: its arguments (without the command word),
// the output streams and the file system. Output is UTF-8.
struct TCliContext {
    std::vector<std::string> Args;
    std::ostream& Out;
    std::ostream& Err;
    TFileSystem& Files;
};

// Exit codes of redewerk-cli.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Runs redewerk-cli with its arguments (argv without the program name).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           TFileSystem& files);

// "1 Baustein importiert." / "N Bausteine importiert."
std::string ImportedBlocksLine(size_t count);

// Prints the usage text to `err` and returns kExitUsage.
int UsageError(TCliContext& context, const std::string& problem);

// The node at a node path given on the command line (UTF-8); when there is none, says so on
// stderr and gives nullptr.
TNode* FindNodeArgument(TCliContext& context, const TProject& project, const std::string& path);

// The warnings of an output-unit update on stderr; when the library was written, the counts
// and the reminder of a compiled library beside it on stdout.
void PrintOutputUnitReport(TCliContext& context, const TOutputUnitReport& report);

// The commands, one group per file.
int RunInfoCommand(TCliContext& context);
int RunResaveCommand(TCliContext& context);
int RunCheckCommand(TCliContext& context);
int RunHighlightCommand(TCliContext& context);
int RunCompileCommand(TCliContext& context);
int RunExportCommand(TCliContext& context);
int RunImportDiaCommand(TCliContext& context);
int RunImportCommand(TCliContext& context);
int RunOutputUnitsCommand(TCliContext& context);

} // namespace redewerk
