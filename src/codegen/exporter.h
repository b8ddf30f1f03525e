#pragma once

#include "codegen/compiled.h"
#include "codegen/export_findings.h"
#include "codegen/output_files.h"
#include "gamefiles/output_unit_file.h"
#include "model/text_lines.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace redewerk {

class TFileSystem;
class TProject;
class TPrompter;

// Compiles every live block in tree order into the groups of `compiled` (after
// ComputeKnownTargets and a reset), warning about Dialogs without an NPC. Throws
// ECompileError when a reference cannot be read.
void CompileAll(TProject& project, TCompiled& compiled, TPrompter& prompter);

// How an export ended.
enum class TExportResult {
    Exported,  // every file was written
    Cancelled, // no project name, an overwrite question was refused, or the findings were
               // not to be written: nothing was touched
    Failed,    // a message told why; files written before the failure are complete
};

// What an export did: how it ended and which files it wrote.
struct TExportReport {
    TExportResult Result = TExportResult::Cancelled;
    std::vector<std::string> WrittenFiles; // full names, in the order they were written
    std::vector<TExportFinding> Findings;  // what the generated code holds that will not compile
    // The merge into the output-unit library: present when it was asked for and the scripts
    // were written.
    std::optional<TOutputUnitReport> OutputUnits;
};

// Decides whether generated files with findings are written anyway: true writes them.
using TFindingsReview = std::function<bool(const std::vector<TExportFinding>& findings)>;

// The export dialog belongs to the caller: it shows name and folder from `compiled` and on OK
// (after CheckProjectName) copies its options in; an empty name exports nothing.
//
// Exports the project with the options held by `compiled` (the export dialog fills them in):
// the dialogs, events, variables and NPC globals files of the project name in its folder.
// A missing folder is made, but only its last level and only when the files are written: an
// empty folder or a missing parent folder is reported first. Every overwrite question is asked
// before any file is touched, and each file is written whole through a temporary file, so a refusal
// or a failure never leaves a file emptied or half-written.
//
// With UpdateOutputUnits, the spoken lines of the written files are then merged into the
// library OutputUnitsFile (a new one when it does not exist yet); when that fails, the export
// ends as Failed with the scripts written.
//
// The files are checked before they are written (FindExportProblems). When there are findings,
// `review` decides whether they are written all the same; without a review they are. Either
// way the findings are in the report.
TExportReport ExportProject(TProject& project, TCompiled& compiled, TFileSystem& files,
                            TPrompter& prompter, const TFindingsReview& review = nullptr);

} // namespace redewerk
