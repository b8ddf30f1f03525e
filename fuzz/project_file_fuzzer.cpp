// The project file reader: any bytes either load or are refused with a message and a line;
// a project that loads saves to a file that loads as the same project.
#include "fuzz_support.h"
#include "model/project.h"
#include "model/project_file.h"
#include "support/round_trip.h"

using namespace redewerk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TProject project;
    TProjectFileError error;
    if (!ParseProject(fuzzing::Text(data, size), project, error)) {
        // Line 0: the file ended before its first line.
        fuzzing::Require(!error.Message.empty() && error.Line >= 0, "a refusal says why");
        return 0;
    }
    const std::string problem = testing::RoundTripProblem(project);
    fuzzing::Require(problem.empty(), problem);
    return 0;
}
