#pragma once

#include "model/text_lines.h"

#include <cstdint>
#include <string>

namespace redewerk {

// The dialog or option of a ".dia" file that is being read; committed into a block when the
// next element starts or the file ends.
struct QDC_Element {
    TLines Conditions;  // one condition term per COND line
    TLines Lines;       // body lines
    std::string Name;   // the INFO or OPT name (DiaNodeName); empty while no element is open
    std::string Person; // instance name from the last PERSON line
    std::string Desc;
    int32_t Num = 10;
    bool Important = false;
    bool Permanent = false;
    bool Trade = false;
    bool IsOption = false;
    // List this option in its dialog's body. Set by a bare "%" line and only cleared by the
    // next INFO line, so the following options of the same dialog are listed as well.
    bool AddToParent = false;

    // The state after a commit: Person, IsOption and AddToParent carry over to the next element.
    void ResetAfterCommit() {
        Conditions = TLines();
        Lines = TLines();
        Name.clear();
        Desc.clear();
        Num = 10;
        Important = false;
        Permanent = false;
        Trade = false;
    }
};

} // namespace redewerk
