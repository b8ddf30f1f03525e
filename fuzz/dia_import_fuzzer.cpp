// The ".dia" import: any file imports, and what it brings in saves to a project file that
// loads as the same project.
#include "fuzz_support.h"
#include "import/dia_import.h"
#include "model/project.h"
#include "support/recording_prompter.h"
#include "support/round_trip.h"

using namespace redewerk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TProject project;
    testing::TRecordingPrompter prompter;
    fuzzing::Require(
        ImportDiaText(project, fuzzing::Text(data, size), TDiaImportMode::Append, prompter)
            .Imported,
        "a text is always imported");
    const std::string problem = testing::RoundTripProblem(project);
    fuzzing::Require(problem.empty(), problem);
    return 0;
}
