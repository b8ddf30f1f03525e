#include "model/colours.h"
#include "model/ini_file.h"
#include "model/settings.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::TMemoryFileSystem;
using testing::TRecordingPrompter;

TEST(IniFile, ReadsKeysOfTheirSectionWithoutRegardToCase) {
    const TIniFile ini("; Kommentar\r\n[Pfade]\r\n Oeffnen = C:\\a.dlx \r\n[Other]\r\n"
                       "Oeffnen=falsch\r\n[pfade]\r\nSpeichern=\"x y\"\n");
    EXPECT_EQ(ini.ReadString("PFADE", "oeffnen", "-"), "C:\\a.dlx");
    EXPECT_EQ(ini.ReadString("Pfade", "Speichern", "-"), "-"); // only the first section counts
    EXPECT_EQ(ini.ReadString("pfade", "Fehlt", "-"), "-");
    EXPECT_EQ(ini.ReadString("Keine", "Oeffnen", "-"), "-");
    EXPECT_EQ(TIniFile("[a]\r\nk=\"x y\"\r\n").ReadString("a", "k", ""), "x y");
}

TEST(IniFile, IntegersAndBooleans) {
    const TIniFile ini("[s]\r\ndec=-42\r\nhex=0x1F\r\nHEX=0X10\r\ndollar=$FF\r\nword=abc\r\n"
                       "empty=\r\nbig=99999999999\r\nzero=0\r\nseven=7\r\n");
    struct TCase {
        const char* Key;
        int32_t Expected;
    };
    for (const TCase& c :
         {TCase{"dec", -42}, TCase{"hex", 31}, TCase{"dollar", 255}, TCase{"word", 5},
          TCase{"empty", 5}, TCase{"big", 5}, TCase{"missing", 5}})
        EXPECT_EQ(ini.ReadInteger("s", c.Key, 5), c.Expected) << c.Key;
    EXPECT_FALSE(ini.ReadBool("s", "zero", true));
    EXPECT_TRUE(ini.ReadBool("s", "seven", false));
    EXPECT_TRUE(ini.ReadBool("s", "word", true));
    EXPECT_FALSE(ini.ReadBool("s", "word", false));
}

TEST(IniFile, WritesInPlaceAndKeepsEverythingElse) {
    TIniFile ini("; meine Einstellungen\r\n[Pfade]\r\nOeffnen=alt\r\n; bleibt\r\nFremd=1\r\n\r\n"
                 "[Fremd]\r\nx=y\r\n");
    ini.WriteString("pfade", "OEFFNEN", "neu");         // replaced where it stands
    ini.WriteString("Pfade", "Speichern", "s");         // added after the section's last entry
    ini.WriteBool("Anzeigeoptionen", "Vorschau", true); // a new section at the end
    ini.WriteInteger("Anzeigeoptionen", "Schriftgroesse", 9);
    EXPECT_EQ(ini.Text(), "; meine Einstellungen\r\n[Pfade]\r\nOEFFNEN=neu\r\n; bleibt\r\n"
                          "Fremd=1\r\nSpeichern=s\r\n\r\n[Fremd]\r\nx=y\r\n\r\n"
                          "[Anzeigeoptionen]\r\nVorschau=1\r\nSchriftgroesse=9\r\n");
    TIniFile empty;
    empty.WriteBool("a", "b", false);
    EXPECT_EQ(empty.Text(), "[a]\r\nb=0\r\n");
}

TEST(IniFile, AByteOrderMarkIsKeptButNotReadAsPartOfTheFirstSection) {
    TIniFile ini("\xEF\xBB\xBF[Pfade]\r\nOeffnen=/mod/a.dlx\r\n");
    EXPECT_EQ(ini.ReadString("Pfade", "Oeffnen", "-"), "/mod/a.dlx");
    ini.WriteString("Pfade", "Speichern", "/mod/b.dlx");
    EXPECT_EQ(ini.Text(), "\xEF\xBB\xBF[Pfade]\r\nOeffnen=/mod/a.dlx\r\nSpeichern=/mod/b.dlx\r\n");
}

TEST(Colours, NamesBothWays) {
    struct TCase {
        TColour Colour;
        const char* Text;
    };
    const TCase cases[] = {
        {0x00808080, "clGray"},          {MakeColour(255, 140, 0), "$00008CFF"},
        {kClWindow, "clWindow"},         {kClBtnFace, "clBtnFace"},
        {SystemColour(30), "clMenuBar"}, {SystemColour(25), "$FF000019"},
        {0x00E0E0E0, "$00E0E0E0"},       {0x0000FFFF, "clYellow"},
        {0x1FFFFFFF, "clNone"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ColourToText(c.Colour), c.Text);
        TColour back = 0;
        ASSERT_TRUE(ColourFromText(c.Text, back)) << c.Text;
        EXPECT_EQ(back, c.Colour) << c.Text;
    }
    TColour colour = 0;
    EXPECT_TRUE(ColourFromText("CLRED", colour));
    EXPECT_EQ(colour, 0x000000FFu);
    EXPECT_TRUE(ColourFromText("255", colour));
    EXPECT_EQ(colour, 0x000000FFu);
    EXPECT_TRUE(ColourFromText("-16777211", colour)); // a system colour as a signed number
    EXPECT_EQ(colour, kClWindow);
    EXPECT_FALSE(ColourFromText("hellblau", colour));
}

TEST(Settings, DefaultsWithoutAFile) {
    TMemoryFileSystem files;
    TRecordingPrompter prompter;
    const TSettings s = ReadSettingsFile("Schaltpult.ini", files, prompter);
    EXPECT_FALSE(s.Preview);
    EXPECT_FALSE(s.KeepPreview);
    EXPECT_TRUE(s.SyntaxCheck);
    EXPECT_TRUE(s.Maximised);
    EXPECT_EQ(s.FontSize, 8);
    EXPECT_EQ(s.HighlightDelay, 0);
    EXPECT_EQ(s.ParserDelay, 300);
    EXPECT_TRUE(s.SeparateEvents);
    EXPECT_TRUE(s.SeparateVariables);
    EXPECT_FALSE(s.NpcGlobals);
    EXPECT_EQ(s.Colours, DefaultColours());
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST(Settings, RoundTripKeepsForeignLinesAndStoredPaths) {
    TMemoryFileSystem files;
    files.Files["S.ini"] =
        "; von Hand\r\n[Pfade]\r\nOeffnen=C:\\alt.dlx\r\n[Eigenes]\r\nwert=1\r\n";
    TRecordingPrompter prompter;
    TSettings s = ReadSettingsFile("S.ini", files, prompter);
    EXPECT_EQ(s.OpenPath, "C:\\alt.dlx");
    s.OpenPath.clear(); // never opened a project in this run: the stored value stays
    s.SavePath = "neu.dlx";
    s.ProjectName = "Wirt";
    s.FontSize = 11;
    s.Preview = true;
    s.SyntaxCheck = false;
    s.Maximised = false;
    s.Colours[clBack] = 0x00E0E0E0;
    s.Colours[clConst] = 0x00123456; // lives for the run only
    ASSERT_TRUE(WriteSettingsFile("S.ini", s, files, prompter));

    const std::string& text = files.Files["S.ini"];
    EXPECT_EQ(text.rfind("; von Hand\r\n[Pfade]\r\nOeffnen=C:\\alt.dlx\r\nSpeichern=neu.dlx\r\n"
                         "Projektname=Wirt\r\n[Eigenes]\r\nwert=1\r\n",
                         0),
              0u);
    EXPECT_NE(text.find("clBack=$00E0E0E0\r\n"), std::string::npos);
    EXPECT_NE(text.find("clDelimiter=clGray\r\n"), std::string::npos);
    EXPECT_NE(text.find("clC_INFO=$00008CFF\r\n"), std::string::npos);
    EXPECT_EQ(text.find("clConst"), std::string::npos);
    EXPECT_EQ(text.find("ExportOrdner"), std::string::npos);

    const TSettings again = ReadSettingsFile("S.ini", files, prompter);
    EXPECT_EQ(again.OpenPath, "C:\\alt.dlx");
    EXPECT_EQ(again.SavePath, "neu.dlx");
    EXPECT_EQ(again.FontSize, 11);
    EXPECT_TRUE(again.Preview);
    EXPECT_FALSE(again.SyntaxCheck);
    EXPECT_FALSE(again.Maximised);
    EXPECT_EQ(again.Colours[clBack], 0x00E0E0E0u);
    EXPECT_EQ(again.Colours[clConst], DefaultColours()[clConst]);
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST(Settings, ABadColourIsReportedAndTheOtherKeysStillCount) {
    TMemoryFileSystem files;
    files.Files["S.ini"] =
        "[Farben]\r\nclBack=clYellow\r\nclDef=hellblau\r\nclComment=$000000FF\r\n"
        "[Anzeigeoptionen]\r\nSchriftgroesse=12\r\n";
    TRecordingPrompter prompter;
    const TSettings s = ReadSettingsFile("S.ini", files, prompter);
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"'hellblau' ist kein g\xFCltiger Integerwert"});
    EXPECT_EQ(s.Colours[clBack], 0x0000FFFFu);
    EXPECT_EQ(s.Colours[clDef], kClWindowText);
    EXPECT_EQ(s.Colours[clComment], 0x000000FFu);
    EXPECT_EQ(s.FontSize, 12);
}

TEST(Settings, AFailedWriteKeepsTheFileAndSaysSo) {
    TMemoryFileSystem files;
    files.Files["S.ini"] = "[Pfade]\r\nOeffnen=x\r\n";
    files.WriteError = 28;
    TRecordingPrompter prompter;
    EXPECT_FALSE(WriteSettingsFile("S.ini", TSettings{}, files, prompter));
    EXPECT_EQ(files.Files["S.ini"], "[Pfade]\r\nOeffnen=x\r\n");
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"In S.ini kann nicht geschrieben werden"});

    // The path in the message reads as the user knows it.
    prompter.Messages.clear();
    EXPECT_FALSE(WriteSettingsFile("/home/j\xC3\xB6rg/S.ini", TSettings{}, files, prompter));
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"In /home/j\xF6rg/S.ini kann nicht geschrieben werden"});

    files.WriteError = 0;
    files.ReadError = 13; // unreadable: rewriting it would drop its other lines
    EXPECT_FALSE(WriteSettingsFile("S.ini", TSettings{}, files, prompter));
    EXPECT_EQ(files.Files["S.ini"], "[Pfade]\r\nOeffnen=x\r\n");
}

} // namespace
} // namespace redewerk
