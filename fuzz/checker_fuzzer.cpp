// The syntax checker in its three modes: any text is checked to its end or its first error,
// and an error is marked inside the text.
#include "daedalus/syntax_checker.h"
#include "fuzz_support.h"

using namespace redewerk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = fuzzing::Text(data, size);
    for (TCheckMode mode :
         {TCheckMode::Condition, TCheckMode::Statements, TCheckMode::Declarations}) {
        const TCheckResult result = CheckSyntax(text, mode);
        fuzzing::Require(result.Ok ? result.ErrorPos == -1 && result.Message == kSyntaxOk
                                   : !result.Message.empty() && result.ErrorPos >= 0 &&
                                         result.ErrorPos <= static_cast<int32_t>(text.size()),
                         "an error has a message and a place inside the text");
    }
    return 0;
}
