#include "model/names.h"

namespace redewerk {

bool HasSpecialChars(std::string_view name) {
    // Windows-1252: § = A7, ä = E4, ö = F6, ü = FC, Ä = C4, Ö = D6, Ü = DC, ß = DF.
    static constexpr std::string_view kRefused =
        ">*~ ?,:;!&.|\"\xA7%\\/()[]+-<#\xE4\xF6\xFC\xC4\xD6\xDC\xDF";
    return name.find_first_of(kRefused) != std::string_view::npos;
}

} // namespace redewerk
