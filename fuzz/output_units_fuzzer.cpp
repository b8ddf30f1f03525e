// The output-unit library: any text is read or refused with a line, a library that was read is
// written so that it reads back and writes again byte for byte, and merging the same lines a
// second time changes nothing. The same text as a script gives its spoken lines or a message.
#include "fuzz_support.h"
#include "gamefiles/output_unit_collector.h"
#include "gamefiles/output_units.h"

using namespace redewerk;

namespace {

TOutputUnitLibrary Read(const std::string& text) {
    TOutputUnitLibrary library;
    TZenArchiveError error;
    fuzzing::Require(ReadOutputUnitLibrary(text, library, error), "a written library reads back");
    return library;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(fuzzing::Text(data, size));
    TOutputUnitCollector collector;
    std::string message;
    if (!collector.AddScript(text, "a.d", message))
        fuzzing::Require(message.starts_with("a.d:"), "a refused script names the place");
    std::vector<TOutputUnit> units = collector.Units();
    units.push_back({"DIA_Fuzz_15_00", "Gr\xFC\xDF dich."});

    TOutputUnitLibrary library;
    TZenArchiveError error;
    if (!ReadOutputUnitLibrary(text, library, error)) {
        fuzzing::Require(!error.Message.empty(), "a refused library says why");
        return 0;
    }
    const std::string written = WriteOutputUnitLibrary(library);
    fuzzing::Require(WriteOutputUnitLibrary(Read(written)) == written,
                     "a written library writes again as it was");

    MergeOutputUnits(library, units);
    const std::string merged = WriteOutputUnitLibrary(library);
    TOutputUnitLibrary again = Read(merged);
    const TOutputUnitMerge second = MergeOutputUnits(again, units);
    fuzzing::Require(second.Added == 0 && second.Replaced == 0, "a second merge changes nothing");
    fuzzing::Require(WriteOutputUnitLibrary(again) == merged, "a second merge writes the same");
    return 0;
}
