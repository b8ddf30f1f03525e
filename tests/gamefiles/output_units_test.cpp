#include "gamefiles/output_units.h"
#include "gamefiles/zen_archive.h"

#include "test_data.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::GameFileData;

TOutputUnitLibrary ReadLibrary(const std::string& content) {
    TZenArchiveError error;
    TOutputUnitLibrary library;
    EXPECT_TRUE(ReadOutputUnitLibrary(content, library, error))
        << error.Line << ": " << error.Message;
    return library;
}

// A library as the level editor writes it (CR LF, blanks or nothing as indentation, a padded
// and wrong object count, a header field more, a value more in one entry, an object after the
// library) is read whole: the entry with the same name is replaced in place and spelled as in
// the script, an unchanged one stays, a new one is appended, and everything else is kept.
// Merging the same lines again changes no byte.
TEST(OutputUnitLibrary, MergesIntoALibraryOfTheGameToolsAndKeepsTheRest) {
    TOutputUnitLibrary library = ReadLibrary(GameFileData("tools_library.csl"));
    const std::vector<TOutputUnit> units = {
        {"DIA_Wirt_Hallo_15_00", "Neuer Text \xE4\xF6\xFC."},
        {"DIA_Koch_Suppe_08_00", "Noch Suppe?"},
        {"DIA_Wirt_Bier_15_00", "Ein Bier, bitte."},
    };
    EXPECT_EQ(MergeOutputUnits(library, units), (TOutputUnitMerge{1, 1, 1}));
    const std::string merged = WriteOutputUnitLibrary(library);
    EXPECT_EQ(merged, GameFileData("tools_library_merged.csl"));

    TOutputUnitLibrary again = ReadLibrary(merged);
    EXPECT_EQ(MergeOutputUnits(again, units), (TOutputUnitMerge{0, 0, 3}));
    EXPECT_EQ(WriteOutputUnitLibrary(again), merged);
}

// Every entry with the name is replaced, whatever the case of either spelling; a value of the
// library after a replaced entry stays; a library without NumOfItems gets it.
TEST(OutputUnitLibrary, ReplacesEveryEntryOfTheNameAndCountsTheItems) {
    TOutputUnitLibrary library = NewOutputUnitLibrary(0, "x");
    MergeOutputUnits(library, {{"dia_\xE4_00", "alt"}, {"B", "b"}});
    library.Entries.push_back(library.Entries[0]);
    std::string text = WriteOutputUnitLibrary(library);
    text.erase(text.find("\tNumOfItems=int:3\n"), 18);
    const std::string value = "\t[]\n\tdauer=float:1.5\n\t[% zCCSBlock 0 4]";
    text.insert(text.find("\t[% zCCSBlock 0 4]"), "\tdauer=float:1.5\n");
    TOutputUnitLibrary reread = ReadLibrary(text);
    EXPECT_EQ(MergeOutputUnits(reread, {{"DIA_\xC4_00", "neu"}}), (TOutputUnitMerge{0, 1, 0}));
    std::vector<std::string> texts;
    for (const auto& entry : reread.Entries)
        texts.push_back(std::string(entry.Lines[1].Text) + " " + std::string(entry.Lines[7].Text));
    EXPECT_EQ(texts, (std::vector<std::string>{"blockName=string:DIA_\xC4_00 text=string:neu",
                                               "blockName=string:B text=string:b",
                                               "blockName=string:DIA_\xC4_00 text=string:neu"}));
    const std::string merged = WriteOutputUnitLibrary(reread);
    EXPECT_NE(merged.find("[% zCCSLib 0 0]\n\tNumOfItems=int:3\n"), std::string::npos);
    EXPECT_NE(merged.find(value), std::string::npos);
}

TEST(ZenArchive, RefusesWhatItCannotReadWithTheLine) {
    const std::string head = "ZenGin Archive\nver 1\nzCArchiverGeneric\nASCII\nsaveGame 0\n"
                             "date 1.1.2001 10:00:00\nuser x\nEND\nobjects 1\nEND\n\n";
    struct TCase {
        std::string Content;
        int32_t Line;
        std::string Message;
    };
    const TCase cases[] = {
        {"", 1, "Keine ZenGin-Archivdatei: die erste Zeile lautet nicht \"ZenGin Archive\"."},
        {"ZenGin Archive\nver 1\nzCArchiverBinSafe\nBIN_SAFE\nsaveGame 0\nEND\n\x01\x02", 4,
         "Das Archiv ist bin\xE4r gespeichert (BIN_SAFE); gelesen werden bisher nur Archive in "
         "Textform (ASCII)."},
        {"ZenGin Archive\r\nver 1\r\nzCArchiver\r\nBINARY\r\n", 4,
         "Das Archiv ist bin\xE4r gespeichert (BINARY); gelesen werden bisher nur Archive in "
         "Textform (ASCII)."},
        {"ZenGin Archive\nver 1\nASCII\n", 3, "Der Kopf des Archivs endet nicht mit END."},
        {"ZenGin Archive\nver 1\nEND\n", 3, "Der Kopf des Archivs nennt nicht die Textform ASCII."},
        {"ZenGin Archive\nASCII\nEND\nobjects 1\n", 4, "Nach der Objektzahl fehlt END."},
        {head + "[% zCCSLib 0 0]\n\t[% zCCSBlock 0 1]\n\t[]\n", 12,
         "Das Objekt \"[% zCCSLib 0 0]\" wird nicht mit \"[]\" geschlossen."},
        {head + "[% zCCSLib 0 0]\n[]\n[]\n", 14, "\"[]\" schlie\xDFt kein offenes Objekt."},
        {head + "NumOfItems=int:0\n", 12,
         "Wert au\xDF"
         "erhalb eines Objekts: \"NumOfItems=int:0\""},
        {head + "[% zCCSLib 0 0]\n\ttext string Hallo\n[]\n", 13,
         "Zeile nicht verstanden: \"text string Hallo\""},
        {head + "[% zCCSLib 0]\n", 12, "Objektkopf nicht verstanden: \"[% zCCSLib 0]\""},
        {head + "[% zCCSLib 0 0]\n\t[% \xA7 0 0]\n[]\n", 13,
         "Verweise zwischen Objekten (\xA7) werden nicht unterst\xFCtzt."},
    };
    for (const auto& [content, line, message] : cases) {
        TZenArchive archive;
        TZenArchiveError error;
        EXPECT_FALSE(ReadZenArchive(content, archive, error)) << content;
        EXPECT_EQ(error.Line, line) << content;
        EXPECT_EQ(error.Message, message);
    }

    TZenArchiveError error;
    TOutputUnitLibrary library;
    EXPECT_FALSE(ReadOutputUnitLibrary(head + "[% zCWorld 0 0]\n[]\n", library, error));
    EXPECT_EQ(error.Message,
              "Die Datei enth\xE4lt keine Bibliothek der Ausgabeeinheiten (zCCSLib).");
}

TEST(ZenArchive, DatesWithoutLeadingZerosInDayAndMonth) {
    const std::pair<int64_t, const char*> cases[] = {
        {0, "1.1.1970 00:00:00"},           {1796547900, "6.12.2026 09:05:00"},
        {1709251199, "29.2.2024 23:59:59"}, {951782400, "29.2.2000 00:00:00"},
        {-1, "31.12.1969 23:59:59"},
    };
    for (const auto& [seconds, date] : cases)
        EXPECT_EQ(ZenArchiveDate(seconds), date) << seconds;
}

} // namespace
} // namespace redewerk
