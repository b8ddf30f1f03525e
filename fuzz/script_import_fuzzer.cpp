// The script import: any script either imports or is left out with a one-line report; what
// it brings in saves to a project file that loads as the same project.
#include "fuzz_support.h"
#include "import/importer.h"
#include "model/project.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"
#include "support/round_trip.h"

using namespace redewerk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testing::TMemoryFileSystem files;
    files.Files["DIA_Fuzz.d"] = std::string(fuzzing::Text(data, size));
    TProject project;
    testing::TRecordingPrompter prompter;
    // Every other input keeps the names of the script.
    TImportOptions options;
    options.KeepNames = size % 2 == 1;
    const TScriptImportResult result =
        RunScriptImport(project, {"DIA_Fuzz.d"}, options, files, prompter);
    if (!result.Completed) {
        fuzzing::Require(!prompter.Messages.empty(), "a failed import says why");
        fuzzing::Require(project.Tree.IsEmpty(), "a failed import leaves nothing behind");
        return 0;
    }
    if (!result.Skipped.empty()) {
        fuzzing::Require(result.Skipped[0].Report().find_first_of("\r\n") == std::string::npos,
                         "a script left out is reported on one line");
        fuzzing::Require(project.Tree.IsEmpty(), "a script left out leaves nothing behind");
        return 0;
    }
    const std::string problem = testing::RoundTripProblem(project);
    fuzzing::Require(problem.empty(), problem);
    return 0;
}
