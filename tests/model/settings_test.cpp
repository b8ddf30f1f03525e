#include "model/colours.h"
#include "model/ini_file.h"
#include "model/native_path.h"
#include "model/settings.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::TMemoryFileSystem;
using testing::TRecordingPrompter;

TEST(IniFile, ReadsKeysOfTheirSectionWithoutRegardToCaseAsTextNumbersAndFlags) {
    const TIniFile ini(
        "; Kommentar\r\n[Pfade]\r\n Oeffnen = C:\\a.dlx \r\nQuote=\"x y\"\r\nLeer=\"\"\r\n"
        "Eins=\"\r\n[Other]\r\n"
        "Oeffnen=falsch\r\n[pfade]\r\nSpeichern=x\n[s]\r\ndec=-42\r\nhex=0x1F\r\n"
        "dollar=$FF\r\nword=abc\r\nempty=\r\nbig=99999999999\r\nzero=0\r\nseven=7\r\n");
    EXPECT_EQ(ini.ReadString("PFADE", "oeffnen", "-"), "C:\\a.dlx");
    EXPECT_EQ(ini.ReadString("Pfade", "Quote", "-"), "x y");
    EXPECT_EQ(ini.ReadString("Pfade", "Leer", "-"), ""); // two quotes: the empty text
    EXPECT_EQ(ini.ReadString("Pfade", "Eins", "-"), "\"");
    EXPECT_EQ(ini.ReadString("Pfade", "Speichern", "-"), "-"); // only the first section counts
    EXPECT_EQ(ini.ReadString("Keine", "Oeffnen", "-"), "-");
    const std::pair<const char*, int32_t> integers[] = {
        {"dec", -42}, {"hex", 31}, {"dollar", 255}, {"word", 5},
        {"empty", 5}, {"big", 5},  {"missing", 5}};
    for (auto [key, expected] : integers)
        EXPECT_EQ(ini.ReadInteger("s", key, 5), expected) << key;
    EXPECT_FALSE(ini.ReadBool("s", "zero", true));
    EXPECT_TRUE(ini.ReadBool("s", "seven", false));
    EXPECT_TRUE(ini.ReadBool("s", "word", true));
    EXPECT_FALSE(ini.ReadBool("s", "word", false));
}

TEST(IniFile, WritesInPlaceAndKeepsEverythingElse) {
    // A byte-order mark is kept but not read as part of the first section's name.
    TIniFile ini(
        "\xEF\xBB\xBF[Pfade]\r\nOeffnen=alt\r\n; bleibt\r\nFremd=1\r\n\r\n[Fremd]\r\nx=y\r\n");
    EXPECT_EQ(ini.ReadString("Pfade", "Oeffnen", "-"), "alt");
    ini.WriteString("pfade", "OEFFNEN", "neu");         // replaced where it stands
    ini.WriteString("Pfade", "Speichern", "s");         // added after the section's last entry
    ini.WriteBool("Anzeigeoptionen", "Vorschau", true); // a new section at the end
    ini.WriteInteger("Anzeigeoptionen", "Schriftgroesse", 9);
    EXPECT_EQ(ini.Text(),
              "\xEF\xBB\xBF[Pfade]\r\nOEFFNEN=neu\r\n; bleibt\r\nFremd=1\r\nSpeichern=s\r\n"
              "\r\n[Fremd]\r\nx=y\r\n\r\n[Anzeigeoptionen]\r\nVorschau=1\r\n"
              "Schriftgroesse=9\r\n");
    TIniFile empty;
    empty.WriteBool("a", "b", false);
    EXPECT_EQ(empty.Text(), "[a]\r\nb=0\r\n");
}

// Whatever a value holds, it reads back as it was written: reading drops blanks at the ends
// and one pair of enclosing quotes, so such values are written in quotes.
TEST(IniFile, ValuesReadBackAsWritten) {
    for (auto [value, line] : std::initializer_list<std::pair<std::string, std::string>>{
             {"C:\\Spiele\\a b.dlx", "k=C:\\Spiele\\a b.dlx"},
             {"", "k="},
             {" vorn", "k=\" vorn\""},
             {"hinten\t", "k=\"hinten\t\""},
             {"\"in Anf\xFChrung\"", "k=\"\"in Anf\xFChrung\"\""},
             {"\"", "k=\""},
             {"a\rb\r", "k=\"a\rb\r\""}}) {
        TIniFile ini;
        ini.WriteString("s", "k", value);
        EXPECT_EQ(ini.Text(), "[s]\r\n" + line + "\r\n");
        EXPECT_EQ(TIniFile(ini.Text()).ReadString("s", "k", "-"), value);
    }
    EXPECT_TRUE(TIniFile::CanHold("a\rb"));
    EXPECT_FALSE(TIniFile::CanHold("a\nb"));
}

TEST(Colours, NamesBothWays) {
    struct TCase {
        TColour Colour;
        const char* Text;
    };
    const TCase cases[] = {
        {0x00808080, "clGray"},          {MakeColour(255, 140, 0), "$00008CFF"},
        {kClWindow, "clWindow"},         {SystemColour(30), "clMenuBar"},
        {SystemColour(25), "$FF000019"}, {0x1FFFFFFF, "clNone"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ColourToText(c.Colour), c.Text);
        TColour back = 0;
        ASSERT_TRUE(ColourFromText(c.Text, back)) << c.Text;
        EXPECT_EQ(back, c.Colour) << c.Text;
    }
    // Read only: names in any case, and numbers (a system colour as a signed one).
    for (const TCase& c : {TCase{0x000000FF, "CLRED"}, TCase{0x000000FF, "255"},
                           TCase{kClWindow, "-16777211"}, TCase{0, "hellblau"}}) {
        TColour colour = 0;
        EXPECT_EQ(ColourFromText(c.Text, colour), c.Colour != 0) << c.Text;
        EXPECT_EQ(colour, c.Colour) << c.Text;
    }
}

TEST(Settings, RoundTripKeepsForeignLinesAndStoredPaths) {
    TMemoryFileSystem files;
    files.Files["S.ini"] =
        "; von Hand\r\n[Pfade]\r\nOeffnen=C:\\alt.dlx\r\n[Eigenes]\r\nwert=1\r\n";
    TRecordingPrompter prompter;
    TSettings s = ReadSettingsFile("S.ini", files, prompter);
    EXPECT_EQ(s.OpenPath, "C:\\alt.dlx");
    s.OpenPath.clear(); // never opened a project in this run: the stored value stays
    s.ExportFolder = "/tmp/zwei\nZeilen"; // no line of the file can hold it: not written
    s.SavePath = "neu.dlx";
    s.ProjectName = "Wirt";
    s.FontSize = 11;
    s.Preview = true;
    s.SyntaxCheck = false;
    s.Maximised = false;
    s.Colours[clBack] = 0x00E0E0E0;
    s.Colours[clConst] = 0x00123456; // lives for the run only
    s.UpdateOutputUnits = true;
    s.OutputUnitsFile = "/spiel/OU.csl";
    ASSERT_TRUE(WriteSettingsFile("S.ini", s, files, prompter));

    const std::string& text = files.Files["S.ini"];
    EXPECT_EQ(text.rfind("; von Hand\r\n[Pfade]\r\nOeffnen=C:\\alt.dlx\r\nSpeichern=neu.dlx\r\n"
                         "Projektname=Wirt\r\n[Eigenes]\r\nwert=1\r\n",
                         0),
              0u);
    EXPECT_NE(text.find("clBack=$00E0E0E0\r\n"), std::string::npos);
    EXPECT_EQ(text.find("clConst"), std::string::npos);
    EXPECT_EQ(text.find("ExportOrdner"), std::string::npos);
    EXPECT_NE(text.find("EventDatei=1\r\nOUAktualisieren=1\r\nOUDatei=/spiel/OU.csl\r\n"),
              std::string::npos);

    // Everything written is read back: writing it again changes nothing.
    const std::string written = text;
    ASSERT_TRUE(
        WriteSettingsFile("S.ini", ReadSettingsFile("S.ini", files, prompter), files, prompter));
    EXPECT_EQ(files.Files["S.ini"], written);
    EXPECT_TRUE(prompter.Messages.empty());
}

// The recent projects: the newest first, each once, at most five; a slot the list no longer
// fills is emptied, gaps in a hand-written file are closed.
TEST(Settings, RecentProjects) {
    struct TCase {
        std::vector<std::string> Before;
        const char* Added;
        std::vector<std::string> After;
    };
    const TCase cases[] = {
        {{}, "a.dlx", {"a.dlx"}},
        {{"a.dlx", "b.dlx"}, "b.dlx", {"b.dlx", "a.dlx"}},
        {{"1", "2", "3", "4", "5"}, "6", {"6", "1", "2", "3", "4"}},
        {{"1", "2", "3", "4", "5"}, "3", {"3", "1", "2", "4", "5"}},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> recent = c.Before;
        AddRecentProject(recent, c.Added);
        EXPECT_EQ(recent, c.After) << c.Added;
    }

    TMemoryFileSystem files;
    files.Files["S.ini"] = "[Pfade]\r\nZuletzt1=/a.dlx\r\nZuletzt3=/c.dlx\r\nZuletzt5=/e.dlx\r\n";
    TRecordingPrompter prompter;
    TSettings s = ReadSettingsFile("S.ini", files, prompter);
    EXPECT_EQ(s.RecentProjects, (std::vector<std::string>{"/a.dlx", "/c.dlx", "/e.dlx"}));
    s.RecentProjects.pop_back();
    s.RecentProjects.push_back("/zwei\nZeilen.dlx"); // would break the file: left out
    ASSERT_TRUE(WriteSettingsFile("S.ini", s, files, prompter));
    s.RecentProjects.pop_back();
    EXPECT_EQ(
        files.Files["S.ini"].rfind(
            "[Pfade]\r\nZuletzt1=/a.dlx\r\nZuletzt3=\r\nZuletzt5=\r\nZuletzt2=/c.dlx\r\n\r\n", 0),
        0u);
    EXPECT_EQ(ReadSettingsFile("S.ini", files, prompter).RecentProjects, s.RecentProjects);
}

// The current folder's file when it is there, else the configuration folder's, whose missing
// folder is created on writing.
TEST(Settings, FileLocation) {
    TMemoryFileSystem files;
    TRecordingPrompter prompter;
    // The folder, the system's separator, the name.
    const auto in = [](const std::string& folder) {
        return PathToUtf8(PathFromUtf8(folder) / "Schaltpult.ini");
    };
    const std::string config = "/home/u/.config/Redewerk";
    EXPECT_EQ(SettingsFilePath("/spiel", config, files), in(config));
    EXPECT_EQ(SettingsFilePath("/spiel/", "", files), "/spiel/Schaltpult.ini");
    files.Files[in("/spiel")] = "";
    EXPECT_EQ(SettingsFilePath("/spiel", config, files), in("/spiel"));

    ASSERT_TRUE(WriteSettingsFile(in(config), TSettings{}, files, prompter));
    EXPECT_EQ(files.Directories, std::set<std::string>{config});
    EXPECT_EQ(files.Files.count(in(config)), 1u);
}

TEST(Settings, ABadColourIsReportedAndTheOtherKeysStillCount) {
    TMemoryFileSystem files;
    files.Files["S.ini"] =
        "[Farben]\r\nclBack=clYellow\r\nclDef=hellblau\r\nclComment=$000000FF\r\n"
        "[Anzeigeoptionen]\r\nSchriftgroesse=12\r\n";
    TRecordingPrompter prompter;
    EXPECT_EQ(ReadSettingsFile("fehlt.ini", files, prompter).Colours, DefaultColours());
    const TSettings s = ReadSettingsFile("S.ini", files, prompter);
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"'hellblau' ist kein g\xFCltiger Integerwert"});
    EXPECT_EQ(s.Colours[clBack], 0x0000FFFFu);
    EXPECT_EQ(s.Colours[clDef], kClWindowText);
    EXPECT_EQ(s.Colours[clComment], 0x000000FFu);
    EXPECT_EQ(s.FontSize, 12);
}

// A file that cannot be written, or read (rewriting it would drop its other lines), stays as
// it was; the message names the path as the user knows it.
TEST(Settings, AFailedWriteKeepsTheFileAndSaysSo) {
    const struct {
        const char* Path;
        int WriteError;
        int ReadError;
        const char* Message;
    } cases[] = {
        {"S.ini", 28, 0, "In S.ini kann nicht geschrieben werden"},
        {"/home/j\xC3\xB6rg/S.ini", 28, 0, "In /home/j\xF6rg/S.ini kann nicht geschrieben werden"},
        {"S.ini", kErrorReadOnly, 0, "Datei S.ini ist schreibgesch\xFCtzt."},
        {"S.ini", 0, 13, "In S.ini kann nicht geschrieben werden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Path << " " << c.WriteError << " " << c.ReadError);
        TMemoryFileSystem files;
        files.Files["S.ini"] = "[Pfade]\r\nOeffnen=x\r\n";
        const auto before = files.Files;
        files.WriteError = c.WriteError;
        files.ReadError = c.ReadError;
        TRecordingPrompter prompter;
        EXPECT_FALSE(WriteSettingsFile(c.Path, TSettings{}, files, prompter));
        EXPECT_EQ(files.Files, before);
        EXPECT_EQ(prompter.Messages, std::vector<std::string>{c.Message});
    }
}

} // namespace
} // namespace redewerk
