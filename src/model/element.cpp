#include "model/element.h"

namespace redewerk {

const char* KindCaption(int32_t kind) {
    switch (kind) {
    case ekDialog:
        return "Dialog";
    case ekEvent:
        return "Event";
    case ekChoice:
        return "Dialogoption";
    case ekCode:
        return "Code";
    default:
        return "Ordner";
    }
}

} // namespace redewerk
