#include "model/references.h"

#include "model/block_tree.h"
#include "model/cp1252.h"
#include "model/element.h"
#include "model/markers.h"
#include "model/project.h"
#include "model/prompter.h"

#include <algorithm>

namespace redewerk {
namespace {

constexpr std::string_view kUpStep = "..\\";

// "INVALID..." keeps a failed reference for good; "#+...#" is the user's own text that the
// compiler leaves alone, and "#:...#" a kept name (model/name_markers.h), so the editor must
// not turn them into a path or an id either.
bool IsLeftAlone(std::string_view text) {
    return text.starts_with("INVALID") || text.starts_with("+") || text.starts_with(":");
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase1252(text.substr(0, prefix.size()), prefix);
}

std::string IdToPath(TProject& project, std::string_view text, const TNode* context) {
    int32_t id = 0;
    // Not a number: nothing a path could be made of; the text stays as the user sees it.
    if (!ParseReferenceId(text, id)) return std::string(text);
    const TElement* target = project.Elements.LiveAt(id);
    if (!target || !target->Node) return std::string(kDeletedReference);
    const std::string targetPath = target->Node->Path();
    if (!context || !context->Parent()) return targetPath;
    std::string prefix;
    for (const TNode* base = context->Parent();; base = base->Parent()) {
        const std::string basePath = base->Path();
        if (basePath.size() == targetPath.size() && EqualsNoCase1252(basePath, targetPath))
            return prefix;
        if (targetPath.size() > basePath.size() && targetPath[basePath.size()] == '\\' &&
            StartsWithNoCase(targetPath, basePath))
            return prefix + targetPath.substr(basePath.size() + 1);
        prefix += kUpStep;
        if (!base->Parent()) return prefix + targetPath;
    }
}

std::string Invalid(std::string_view text) {
    return "INVALID:" + std::string(text);
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string PathToId(TProject& project, std::string_view text, bool registerKnown,
                     const TNode* context, TPrompter& prompter) {
    std::string_view rest = text;
    const TNode* node = context;
    bool lost = false;
    while (rest.starts_with(kUpStep)) {
        if (!node) {
            lost = true;
            break;
        }
        node = node->Parent();
        rest.remove_prefix(kUpStep.size());
        if (!node) lost = true;
    }
    if (lost) {
        prompter.ShowMessage("Pfadconverter: So viele Ordner kann ich nicht zur\xFCkgehen: " +
                             Quoted(text));
        return Invalid(text);
    }
    std::string fullPath;
    if (node && node->Parent()) {
        fullPath = node->Parent()->Path();
        if (!rest.empty()) fullPath += "\\" + std::string(rest);
    } else {
        fullPath = rest;
    }
    const TNode* found = project.Tree.FindByPath(fullPath);
    const TElement* target = found ? found->Element() : nullptr;
    if (!found) {
        prompter.ShowMessage("Pfadconverter: Pfad weist ins Leere: " + Quoted(text));
        return Invalid(text);
    }
    if (!target) {
        prompter.ShowMessage("Pfadconverter: Auf einen Ordner zu verweisen ergibt keinen Sinn!");
        return Invalid(text);
    }
    if (target->Kind == ekCode) {
        prompter.ShowMessage(
            "Pfadconverter: Auf einen Code Baustein zu verweisen ergibt keinen Sinn!");
        return Invalid(text);
    }
    if (registerKnown) {
        if (TElement* owner = TProject::ElementOf(context)) owner->KnownRefs.push_back(target->Id);
    }
    return std::to_string(target->Id);
}

} // namespace

std::string ConvertReference(TProject& project, std::string_view text, TRefDirection direction,
                             bool registerKnown, const TNode* context, TPrompter& prompter) {
    if (IsLeftAlone(text)) return std::string(text);
    if (direction == TRefDirection::IdToPath) return IdToPath(project, text, context);
    return PathToId(project, text, registerKnown, context, prompter);
}

namespace {

// The lines joined with CR LF, every reference converted.
std::string ConvertReferencesJoined(TProject& project, const TLines& lines, TRefDirection direction,
                                    const TNode* context, TPrompter& prompter) {
    return ReplaceReferences(JoinLines(lines), [&](std::string_view inner) {
        const bool known = inner.starts_with("!");
        if (known) inner.remove_prefix(1);
        std::string result = ConvertReference(project, inner, direction, known, context, prompter);
        return known ? "#!" + result + "#" : "#" + result + "#";
    });
}

// Turning ids into paths never shows a message.
class TSilentPrompter : public TPrompter {
public:
    void ShowMessage(const std::string&) override {}
    std::string AskText(const std::string&, const std::string& prefilled) override {
        return prefilled;
    }
    bool AskOkCancel(const std::string&, const std::string&) override { return false; }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    TOverwriteAnswer AskOverwrite(const std::string&) override { return TOverwriteAnswer::Abort; }
};

} // namespace

TLines ConvertReferencesInText(TProject& project, const TLines& lines, TRefDirection direction,
                               const TNode* context, TPrompter& prompter) {
    return SplitLines(ConvertReferencesJoined(project, lines, direction, context, prompter));
}

std::string ReferencesAsPathsText(TProject& project, const TLines& lines, const TNode* context) {
    TSilentPrompter silent;
    return ConvertReferencesJoined(project, lines, TRefDirection::IdToPath, context, silent);
}

namespace {

bool IsFreed(const std::vector<int32_t>& freed, int32_t id) {
    return std::binary_search(freed.begin(), freed.end(), id);
}

// Rewrites the references to freed ids in one text.
void InvalidateIn(TLines& lines, const std::vector<int32_t>& freed) {
    const bool anyMarker = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find('#') != std::string::npos;
    });
    if (!anyMarker) return;
    bool changed = false;
    std::string text = ReplaceReferences(JoinLines(lines), [&](std::string_view inner) {
        const bool known = inner.starts_with("!");
        int32_t id = 0;
        if (ParseReferenceId(known ? inner.substr(1) : inner, id) && IsFreed(freed, id)) {
            changed = true;
            return std::string(known ? "#!" : "#") + std::string(kDeletedReference) + "#";
        }
        return "#" + std::string(inner) + "#";
    });
    if (changed) lines = SplitLines(text);
}

} // namespace

void InvalidateReferencesTo(TProject& project, const std::vector<int32_t>& freedIds) {
    if (freedIds.empty()) return;
    std::vector<int32_t> freed = freedIds;
    std::sort(freed.begin(), freed.end());
    project.Elements.ForEach([&](TElement& element) {
        std::erase_if(element.KnownRefs, [&](int32_t id) { return IsFreed(freed, id); });
        if (element.IsFree()) return;
        InvalidateIn(element.Body, freed);
        InvalidateIn(element.Condition, freed);
    });
}

} // namespace redewerk
