// The script import: any script either imports or is refused with a message; what it brings
// in saves to a project file that loads as the same project.
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
    if (!RunScriptImport(project, {"DIA_Fuzz.d"}, true, files, prompter)) {
        fuzzing::Require(!prompter.Messages.empty(), "a failed import says why");
        fuzzing::Require(project.Tree.IsEmpty(), "a failed import leaves nothing behind");
        return 0;
    }
    const std::string problem = testing::RoundTripProblem(project);
    fuzzing::Require(problem.empty(), problem);
    return 0;
}
