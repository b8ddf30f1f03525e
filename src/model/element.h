#pragma once

#include "model/text_lines.h"

#include <cstdint>
#include <string>
#include <vector>

namespace redewerk {

class TNode;

// The element kinds, as stored in TElement::Kind and in the project file.
enum TElementKind : int32_t {
    ekFolder = 0, // a folder node has no element; an element of kind 0 marks a free slot
    ekDialog = 1,
    ekEvent = 2,
    ekChoice = 3,
    ekCode = 4,
};

// The menu caption of a kind: "Ordner", "Dialog", "Event", "Dialogoption", "Code".
const char* KindCaption(int32_t kind);

// One building block: the header fields and texts from which code is generated.
// The element table owns it; the node only points at it.
struct TElement {
    TElement(int32_t id, int32_t kind, TNode* node) : Node(node), Id(id), Kind(kind) {}

    TNode* Node = nullptr; // none for a placeholder slot
    int32_t Id = 0;
    int32_t Kind = 0;
    std::string Heading;
    std::string Npc;
    std::string Nr = "10";
    bool Important = false;
    bool Permanent = false;
    bool Trade = false;
    TLines Condition;
    std::vector<int32_t> KnownRefs;
    bool IsKnownTarget = false;
    std::string Description;
    TLines Body;
    int32_t BodySelStart = 0;
    int32_t BodySelLength = 0;

    bool IsFree() const { return Kind == ekFolder; }
};

} // namespace redewerk
