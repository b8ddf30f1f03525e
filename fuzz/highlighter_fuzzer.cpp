// The highlighter: the runs cover the text without gaps or overlaps, in order, each with a
// colour class, and the document is closed.
#include "daedalus/highlighter.h"
#include "fuzz_support.h"
#include "model/colours.h"

using namespace redewerk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = fuzzing::Text(data, size);
    THighlighter highlighter;
    highlighter.Highlight(text, DefaultColours(), [](TColour colour) { return colour; });
    int64_t covered = 0;
    for (const THighlightRun& run : highlighter.Runs()) {
        fuzzing::Require(run.Start == covered && run.Length > 0, "runs follow without gaps");
        fuzzing::Require(run.Class >= 0 && run.Class < kColourClassCount, "a run has a class");
        covered += run.Length;
    }
    fuzzing::Require(covered == static_cast<int64_t>(text.size()), "runs cover the text");
    fuzzing::Require(highlighter.Rtf().starts_with("{\\rtf1 ") && highlighter.Rtf().ends_with("}"),
                     "the document is whole");
    return 0;
}
