// Compile and export of a loaded project: every block compiles or is refused with a message,
// and the export writes its files or says why not.
#include "codegen/compiled.h"
#include "codegen/compiler.h"
#include "codegen/exporter.h"
#include "fuzz_support.h"
#include "model/project.h"
#include "model/project_file.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

using namespace redewerk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TProject project;
    TProjectFileError error;
    if (!ParseProject(fuzzing::Text(data, size), project, error)) return 0;
    testing::TRecordingPrompter prompter;
    project.ComputeKnownTargets();
    TDialogCompiler compiler(project, prompter);
    project.Elements.ForEach([&](const TElement& element) {
        if (element.IsFree()) return;
        TLines declarations;
        try {
            compiler.Compile(element.Id, declarations);
        } catch (const ECompileError& failure) {
            fuzzing::Require(!failure.Message().empty(), "a refused block says why");
        }
    });
    TCompiled compiled;
    compiled.ProjectName = "Fuzz";
    compiled.Folder = "/export";
    compiled.WriteNpcGlobals = size % 2 == 0;
    compiled.SeparateEvents = size % 3 != 0;
    testing::TMemoryFileSystem files;
    const TExportReport report = ExportProject(project, compiled, files, prompter);
    fuzzing::Require(report.Result == TExportResult::Exported || !prompter.Messages.empty(),
                     "a failed export says why");
    return 0;
}
