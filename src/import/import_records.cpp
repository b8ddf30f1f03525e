#include "import/import_records.h"

namespace redewerk {

TImpObj* TImpObj::Root() const {
    TImpObj* root = Parent;
    while (root && root->Parent)
        root = root->Parent;
    return root;
}

bool LacksDialogFunctions(const TImpObj& dialog) {
    const TDialogInfo* info = dialog.Info.get();
    return !info || info->InfoName.empty() || info->CondName.empty();
}

const char* CallNameOf(TImpRefKind kind) {
    switch (kind) {
    case RfChoiceDialog:
    case RfChoiceFunc:
        return "Info_AddChoice";
    case RfClearChoices:
        return "Info_ClearChoices";
    case RfKnowsInfo:
        return "Npc_KnowsInfo";
    default:
        return "";
    }
}

void CheckReference(TImpRef& ref) {
    TImpObj& target = *ref.Target;
    const std::string& name = target.Name;
    const TImpObjType type = target.ObjType;
    switch (ref.Kind) {
    case RfCall:
        if (type == TpDia)
            throw TImportError("Aufruf von \"" + name + "\" ung\xFCltig!\r\n" +
                                   "Dieses Objekt ist keine Funktion!",
                               ref.Pos);
        return;
    case RfChoiceDialog:
    case RfClearChoices:
    case RfKnowsInfo:
        if (type != TpDia)
            throw TImportError("Ung\xFCltiger Typ: \"" + name + "\r\n" + CallNameOf(ref.Kind) +
                                   " ben\xF6tigt\r\n" + "als Parameter eine C_INFO-Instanz.",
                               ref.Pos);
        return;
    case RfChoiceFunc:
        if (type != TpVoid && type != TpChoice && type != TpInfo && type != TpCode)
            throw TImportError("Ung\xFCltiger Typ: \"" + name + "\r\n" +
                                   "Der dritte Parameter von Info_AddChoice\r\n" +
                                   "muss eine Funktion mit leerem Ergebnistyp\r\n" +
                                   "und leerer Parameterliste sein.",
                               ref.Pos);
        if (type == TpVoid) target.ObjType = TpChoice;
        return;
    case RfInformation:
        // The game also takes an int function as information; its result is dropped.
        if (type != TpVoid && type != TpInt && type != TpChoice && type != TpInfo && type != TpCode)
            throw TImportError("Fehler in: " + ref.Source->Name + "\r\n" +
                                   "Ung\xFCltige \"information\" Funktion.\r\n" +
                                   "Gesucht ist eine void-Funktion ohne \xDC"
                                   "bergabeparameter.",
                               ref.Pos);
        if (type == TpVoid || type == TpInt || type == TpChoice) target.ObjType = TpInfo;
        return;
    case RfCondition:
        if (type != TpInt && type != TpCondition && type != TpCode)
            throw TImportError("Fehler in: " + ref.Source->Name + "\r\n" +
                                   "Ung\xFCltige \"condition\" Funktion.\r\n" +
                                   "Gesucht ist eine int-Funktion ohne \xDC"
                                   "bergabeparameter.",
                               ref.Pos);
        if (type == TpInt) target.ObjType = TpCondition;
        return;
    case RfMention:
    case RfKnownVar:
        return;
    }
}

} // namespace redewerk
