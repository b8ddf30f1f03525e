#include "codegen/compiled.h"

#include "model/element.h"
#include "model/prompter.h"

namespace redewerk {

void TCompiled::Reset() {
    DialogTexts.clear();
    EventTexts.clear();
    LoopEventTexts.clear();
    KnownDeclarations.clear();
}

void SortCompiled(TCompiled& compiled, const TElement& element, TLines lines, TPrompter& prompter) {
    switch (element.Kind) {
    case ekDialog:
    case ekChoice:
        compiled.DialogTexts.push_back(std::move(lines));
        break;
    case ekCode:
        (compiled.CodeAsDialog ? compiled.DialogTexts : compiled.EventTexts)
            .push_back(std::move(lines));
        break;
    case ekEvent:
        (element.Important ? compiled.LoopEventTexts : compiled.EventTexts)
            .push_back(std::move(lines));
        break;
    default:
        prompter.ShowMessage("Exporter: Interner Error: Ung\xFC"
                             "ltiges Element");
        break;
    }
}

} // namespace redewerk
