#include "codegen/compiled.h"

#include "model/element.h"
#include "model/prompter.h"

namespace redewerk {

void TCompiled::Reset() {
    DialogTexts.clear();
    EventTexts.clear();
    LoopEventTexts.clear();
    KnownDeclarations.clear();
    KnownDeclarationIds.clear();
}

void SortCompiled(TCompiled& compiled, const TElement& element, TLines lines, TPrompter& prompter) {
    TCompiledText text{element.Id, std::move(lines)};
    switch (element.Kind) {
    case ekDialog:
    case ekChoice:
        compiled.DialogTexts.push_back(std::move(text));
        break;
    case ekCode:
        (compiled.CodeAsDialog ? compiled.DialogTexts : compiled.EventTexts)
            .push_back(std::move(text));
        break;
    case ekEvent:
        (element.Important ? compiled.LoopEventTexts : compiled.EventTexts)
            .push_back(std::move(text));
        break;
    default:
        prompter.ShowMessage("Exporter: Interner Error: Ung\xFC"
                             "ltiges Element");
        break;
    }
}

} // namespace redewerk
