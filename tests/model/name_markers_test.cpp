#include "model/name_markers.h"

#include "model/element.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

// The markers of a text as "Role Name" (B block, L spoken line, E elsewhere), or the fault
// that ends the walk as "@pos message".
std::vector<std::string> Markers(const std::string& text, TNamedText where) {
    std::vector<std::string> found;
    const auto fault = ForEachNameMarker(text, where, [&](const TNameMarker& marker) {
        const char* role = marker.Role == TNameMarkerRole::Block        ? "B "
                           : marker.Role == TNameMarkerRole::SpokenLine ? "L "
                                                                        : "E ";
        EXPECT_EQ(text.substr(marker.Start, marker.Length).substr(0, 2), "#:");
        found.push_back(role + std::string(marker.Name));
    });
    if (fault) found.push_back("@" + std::to_string(fault->Pos) + " " + fault->Message);
    return found;
}

const std::string kMisplaced = "Ein Name \"#:...#\" steht allein in der ersten Zeile oder direkt "
                               "vor \">>\" bzw. \"<<\".";
const std::string kOnlyDialogsNameFunctions =
    "Nur ein Dialog nennt hinter seinem Namen Condition- und Informationsfunktion.";

TEST(NameMarkers, StandInTheirPlacesOrAreFaults) {
    using enum TNamedText;
    struct TCase {
        std::string Text;
        TNamedText Where;
        std::vector<std::string> Found;
    };
    const TCase cases[] = {
        // The name line, spoken lines (also sharing a name), with CR LF or LF alone.
        {"#:DIA_Wirt_Hallo#\r\n#:DIA_Wirt_Hallo_15_00#>>Hallo\r\n\t#:X_1# <<Na?\r\n#:X_1#<<Na?",
         DialogBody,
         {"B DIA_Wirt_Hallo", "L DIA_Wirt_Hallo_15_00", "L X_1", "L X_1"}},
        {" #:A,A_Bedingung,# \n#:15_00#>>Ja", DialogBody, {"B A,A_Bedingung,", "L 15_00"}},
        {"#:DIA_Wirt_Hallo_Ja#\r\n>>Ja", Body, {"B DIA_Wirt_Hallo_Ja"}},
        // Text, not markers: in comments, strings and spoken lines.
        {"// #:A#\r\n/* #:B# */ x = \"#:C#\";\r\n>>#:D#>>", Code, {}},
        // Functions that stand elsewhere: alone, after the name line, among comments.
        {"#:DIA_Wirt_Hallo_Condition()#", DialogCondition, {"E DIA_Wirt_Hallo_Condition"}},
        {"#:A#\r\n// geteilt\r\n#:B_Info()#\r\n", DialogBody, {"B A", "E B_Info"}},
        {"/* c */ #:B_Info()# // d", DialogBody, {"E B_Info"}},
        // Faults.
        {"x = 1;\r\n#:A#\r\n", DialogBody, {"@8 " + kMisplaced}},
        {"#:A# // Name\r\n", DialogBody, {"@0 " + kMisplaced}},
        {"#:A#x\r\n", DialogBody, {"@0 " + kMisplaced}},
        {"#:A#\r\n#:B#\r\n", DialogBody, {"B A", "@6 " + kMisplaced}},
        {"a#:L#>>Hallo", DialogBody, {"@1 " + kMisplaced}},
        {"#:A,B#", Body, {"@0 " + kOnlyDialogsNameFunctions}},
        {"#:A,B,C,D#",
         DialogBody,
         {"@0 Zu viele Namen: \"#:Name,Condition,Information#\" ist die l\xE4ngste Form."}},
        {"#:1A#",
         DialogBody,
         {"@0 Ung\xFCltiger Name \"1A\": nur Buchstaben, Ziffern und \"_\", am Anfang keine "
          "Ziffer."}},
        {"#:A,B C#",
         DialogBody,
         {"@0 Ung\xFCltiger Name \"B C\": nur Buchstaben, Ziffern und \"_\", am Anfang keine "
          "Ziffer."}},
        {"#:#>>Hallo",
         DialogBody,
         {"@0 Ung\xFCltiger Name \"\": nur Buchstaben, Ziffern und \"_\"."}},
        {"#:F()#\r\nx = 1;",
         DialogBody,
         {"@0 Eine Funktion \"#:Name()#\" steht allein im Text, h\xF6"
          "chstens nach dem Namen des Bausteins."}},
        {"#:F()#",
         Body,
         {"@0 Nur ein Dialog kann seine Informationsfunktion woanders haben: \"#:Name()#\"."}},
        {"if (#:F()#)",
         DialogCondition,
         {"@4 In der Condition steht ein Name nur allein: \"#:Funktion()#\"."}},
        {"#:F()#",
         Condition,
         {"@0 Nur die Condition eines Dialogs kann eine Funktion \"#:Name()#\" nennen."}},
        {"func void A() { #:B#>>x\r\n};",
         Code,
         {"@16 Ein Code-Baustein tr\xE4gt keine Namen \"#:...#\"."}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Markers(c.Text, c.Where), c.Found) << c.Text;
}

// Only a valid name line names a block; a Code block has no name, and only a Dialog names
// its functions.
TEST(NameMarkers, NameLinesNameBlocks) {
    struct TCase {
        TLines Body;
        int32_t Kind;
        std::string Names; // block|condition|information, empty without a name line
    };
    const TCase cases[] = {
        {{"#:DIA_Wirt_Hallo#", ">>Hallo"}, ekDialog, "DIA_Wirt_Hallo||"},
        {{" #:A, A_Bed ,#"}, ekDialog, "A|A_Bed|"},
        {{"#:A,,A_Info#"}, ekDialog, "A||A_Info"},
        {{"#:EVT_Tuer#"}, ekEvent, "EVT_Tuer||"},
        {{"#:A,B#"}, ekChoice, ""},
        {{"#:A#"}, ekCode, ""},
        {{"#:A()#"}, ekDialog, ""},
        {{"#:A# x"}, ekDialog, ""},
        {{">>#:A#"}, ekDialog, ""},
        {{}, ekDialog, ""},
    };
    for (const TCase& c : cases) {
        const TBlockNames names = NamesOf(c.Body, c.Kind);
        const std::string got =
            names.Empty() ? "" : names.Block + "|" + names.Condition + "|" + names.Information;
        EXPECT_EQ(got, c.Names) << (c.Body.empty() ? "" : c.Body[0]);
        EXPECT_EQ(HasNameLine(c.Body, c.Kind), !c.Names.empty());
    }
}

TEST(NameMarkers, AFunctionStandsElsewhereOnlyAlone) {
    const TLines alone = {"#:A#", "", "// x /*", "/* y", "*/ #:B_Info()# /* z */ // w", "\t"};
    EXPECT_EQ(ExternalFunction(alone, 1), "B_Info");
    EXPECT_EQ(ExternalFunction(alone), "");
    for (const TLines& lines : std::vector<TLines>{{"#:B_Info#"},
                                                   {"#:B_Info()# x"},
                                                   {"#:B_Info()#", "x"},
                                                   {"/* #:B_Info()# */"},
                                                   {"#:1B()#"},
                                                   {}})
        EXPECT_EQ(ExternalFunction(lines), "") << (lines.empty() ? "" : lines[0]);
}

} // namespace
} // namespace redewerk
