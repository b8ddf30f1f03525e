#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace redewerk {

class TNode;

// An error inside an import run: it carries its German message and, where the fault has one,
// its place: the 1-based position in the text the importer is interpreting (0 for none). Each
// stage may wrap the message of an inner stage with its own text; the command that started
// the run shows it, or the line that reports the skipped script.
class TImportError : public std::runtime_error {
public:
    explicit TImportError(const std::string& message, int32_t pos = 0)
        : std::runtime_error(message), Pos(pos) {}
    int32_t Pos;
};

// What a top-level declaration of an imported script turned out to be. The first four are
// known after reading; the others are given while the objects are interpreted and their
// references checked.
enum TImpObjType : uint8_t {
    TpDia = 0,       // instance NAME (C_INFO) { ... };
    TpInt = 1,       // func int NAME() { ... };
    TpVoid = 2,      // func void NAME() { ... };
    TpCode = 3,      // any other declaration of five tokens or more
    TpChoice = 4,    // a void function that is a dialog option or holds dialog statements
    TpCondition = 5, // an int function named as a dialog's condition
    TpInfo = 6,      // a void function named as a dialog's information
};

// How an object's text uses another object's name.
enum TImpRefKind : uint8_t {
    RfCall = 0,         // the name followed by "("
    RfChoiceDialog = 1, // first argument of Info_AddChoice
    RfChoiceFunc = 2,   // third argument of Info_AddChoice
    RfClearChoices = 3, // argument of Info_ClearChoices
    RfKnowsInfo = 4,    // second argument of Npc_KnowsInfo
    RfCondition = 5,    // a dialog's condition attribute
    RfInformation = 6,  // a dialog's information attribute
    RfMention = 7,      // any other use of the name
    // "Bekannt_" and the name: the variable an export writes for a dialog or option that is
    // asked whether it was told. Pos points at the name, after "Bekannt_".
    RfKnownVar = 8,
};

struct TImpObj;

// The attribute values of an imported C_INFO instance.
struct TDialogInfo {
    std::string Npc; // the NPC's instance name
    std::string Nr = "0";
    TImpObj* InfoObj = nullptr; // the object named by "information", if imported
    TImpObj* CondObj = nullptr; // the object named by "condition", if imported
    std::string InfoName;       // the "information" value, as written
    std::string CondName;       // likewise for "condition"
    bool Permanent = false;
    bool Important = false;
    bool Trade = false;
};

// One use of an object's name in another object's text. Pos is 1-based in the source's
// BodyText and points at the first character of the target's name.
struct TImpRef {
    int32_t Pos = 0;
    TImpObj* Source = nullptr;
    TImpObj* Target = nullptr;
    TImpRefKind Kind = RfMention;
};

// One top-level declaration of an imported script that becomes (part of) a block.
struct TImpObj {
    std::string FileName; // the script's name without its directory
    std::string Name;     // the declared name, as written
    std::string Comment;  // blanks and comments before the declaration, trimmed
    // TpDia, TpInt, TpVoid: the text between "{" and the closing "};"; TpCode: the whole
    // declaration. Trimmed.
    std::string BodyText;
    TImpObjType ObjType = TpCode;
    TImpObjType ReadType = TpCode; // the type as read, before interpretation
    bool DeclaredInt = false;      // "func int": its returns carry a value
    // Where the object comes from: the index of its script in the run, and the 1-based
    // positions in the script's text of the declaration and of BodyText as read.
    size_t Script = 0;
    int32_t DeclarationPos = 0;
    int32_t BodyPos = 0;
    int32_t BodyLength = 0;
    // The position in the script of the first "<<" or ">>" in the object's statements, 0
    // when there is none. A block's text cannot hold them: they would be spoken lines.
    int32_t ShiftPos = 0;
    std::vector<TImpRef*> RefsOut;     // references found in this object's text, in text order
    std::vector<TImpRef*> RefsIn;      // references that point at this object
    TImpObj* Parent = nullptr;         // the object under which this one is placed
    int32_t ElementId = -1;            // the block made for the object
    TNode* FolderNode = nullptr;       // receives the object's node when it has no parent
    std::string ChoiceText;            // a dialog's description or a choice's caption
    std::unique_ptr<TDialogInfo> Info; // only dialogs, from their first statement on

    // The last object reached by following Parent, or nullptr without parent.
    TImpObj* Root() const;
};

// The objects of one run in reading order. A deque, so that the pointers between objects
// stay valid while objects are appended.
using TImpObjList = std::deque<TImpObj>;

// Whether a dialog names no condition or no information function.
bool LacksDialogFunctions(const TImpObj& dialog);

// The caption of a call kind, as the messages name it ("Info_AddChoice", ...).
const char* CallNameOf(TImpRefKind kind);

// Checks a reference as soon as it is made: rejects a target of the wrong kind with a
// message naming the fault, and settles the role of parameterless void and int functions
// (option, information or condition function) by changing the target's type.
void CheckReference(TImpRef& ref);

} // namespace redewerk
