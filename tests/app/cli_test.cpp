#include "app/cli/cli.h"
#include "model/project.h"
#include "model/project_file.h"

#include "support/cli_runner.h"
#include "support/memory_file_system.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::RunCliCommand;
using testing::TCliRun;

// The arguments of a call written as one string, separated by "|".
std::vector<std::string> Args(const std::string& call) {
    std::vector<std::string> args;
    for (size_t start = 0; !call.empty() && start <= call.size();) {
        size_t end = std::min(call.find('|', start), call.size());
        args.push_back(call.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

// Every failing call says why in full, exits with 1 (2 and the usage text after the problem
// for a wrong call) and changes no file.
TEST(Cli, FailuresSayWhyAndWriteNothing) {
    const TCliRun help = RunCliCommand({"--help"});
    ASSERT_EQ(help.Exit, kExitOk);
    ASSERT_TRUE(help.Out.starts_with("Aufruf: redewerk-cli BEFEHL ARGUMENTE...\n")) << help.Out;
    const std::pair<const char*, const char*> usageErrors[] = {
        {"", "Kein Befehl angegeben."},
        {"gibtsnicht", "Unbekannter Befehl: gibtsnicht"},
        {"info", "info braucht genau eine Projektdatei."},
        {"info|a|b", "info braucht genau eine Projektdatei."},
        {"resave|a", "resave braucht eine Eingabe- und eine Ausgabedatei."},
        {"check|--condition", "check braucht mindestens eine Datei."},
        {"check|--declarations|--statements|a.d",
         "check erlaubt nur eine der Optionen --condition, --statements und --declarations."},
        {"check|--quiet|a.d", "Unbekannte Option: --quiet"},
        {"highlight", "highlight braucht genau eine Eingabedatei."},
        {"highlight|a.d|b.d", "highlight braucht genau eine Eingabedatei."},
        {"highlight|-x|a.d", "Unbekannte Option: -x"},
        {"highlight|a.d|-o", "-o braucht genau eine Ausgabedatei."},
        {"highlight|a.d|-o|x|-o|y", "-o braucht genau eine Ausgabedatei."},
        {"compile|a.dlx", "compile braucht eine Projektdatei und einen Knotenpfad."},
        {"export", "export braucht eine Projektdatei."},
        {"export|a.dlx|--folder|f", "export braucht --name und --folder."},
        {"export|a.dlx|--name|T", "export braucht --name und --folder."},
        {"export|a.dlx|--name", "--name braucht einen Wert."},
        {"export|a.dlx|--name|T|--folder|f|--bunt", "Unbekannte Option für export: --bunt"},
        {"export|a.dlx|--name||--folder|f", "Der Projektname darf nicht leer sein."},
        {"import-dia|out.dlx", "import-dia braucht eine Ausgabe- und eine .dia-Datei."},
        {"import-dia|o|a.dia|--replace|--folder|Mod", "--replace und --folder schließen sich aus."},
        {"import-dia|o|a.dia|--into", "--into braucht einen Wert."},
        {"import-dia|o|a.dia|--alles", "Unbekannte Option: --alles"},
        {"import|out.dlx", "import braucht eine Ausgabedatei und mindestens ein Skript."},
        {"import|o|a.d|--into", "--into braucht einen Wert."},
        {"import|o|a.d|--folders", "Unbekannte Option: --folders"},
        {"ou", "ou braucht eine Ausgabedatei und mindestens ein Skript."},
        {"ou|neu.csl", "ou braucht eine Ausgabedatei und mindestens ein Skript."},
        {"ou|neu.csl|a.d|--into", "--into braucht einen Wert."},
        {"ou|neu.csl|a.d|--merge", "Unbekannte Option: --merge"},
    };
    const std::pair<const char*, std::string> failures[] = {
        {"info|broken.dlx", "Ungültige numerische Eingabe\nDatei: broken.dlx, Zeile 4\n"},
        {"resave|fehlt.dlx|out.dlx", "E/A-Fehler 2\nDatei: fehlt.dlx\n"},
        {"highlight|fehlt.d|-o|x.rtf",
         "redewerk-cli: Die Datei fehlt.d kann nicht gelesen werden: E/A-Fehler 2\n"},
        {"compile|taverne.dlx|Wirt\\Niemand",
         "redewerk-cli: Kein Knoten mit dem Pfad \"Wirt\\Niemand\" gefunden.\n"},
        {"compile|taverne.dlx|Ereignisse",
         "redewerk-cli: \"Ereignisse\" ist ein Ordner und erzeugt keinen Code.\n"},
        {"export|taverne.dlx|--name|Meine Taverne|--folder|f",
         "Sonderzeichen sind im Projektnamen nicht erlaubt!\n"},
        {"export|fehlt.dlx|--name|T|--folder|f", "E/A-Fehler 2\nDatei: fehlt.dlx\n"},
        {"import-dia|out.dlx|fehlt.dia|--replace|--into|base.dlx",
         "Die angegebene Datei existiert nicht!\n"},
        {"import-dia|out.dlx|wirt.dia|--into|base.dlx|--folder|X",
         "redewerk-cli: Kein Knoten mit dem Pfad \"X\" gefunden.\n"},
        {"import-dia|out.dlx|wirt.dia|--into|fehlt.dlx", "E/A-Fehler 2\nDatei: fehlt.dlx\n"},
        {"import|out.dlx|bad.d|--into|fehlt.dlx", "E/A-Fehler 2\nDatei: fehlt.dlx\n"},
        // A strict import stops at the first fault (without --strict see cli_import_test).
        {"import|out.dlx|bad.d|--strict",
         "Daten einlesen...\nDaten verarbeiten...\n"
         "Fehler bei DIA_Bad\nDem Dialog fehlt die Condition und/oder Information!\n"},
        {"import|--strict|out.dlx|fehlt.d",
         "Daten einlesen...\nDatei nicht lesbar: fehlt.d (Datei nicht gefunden)\n"},
        {"ou|neu.csl|a.d|--into|OU.csl",
         "OU.csl:2: Der Kopf des Archivs nennt nicht die Textform ASCII.\n"},
        {"ou|neu.csl|fehlt.d",
         "Ausgabeeinheiten: fehlt.d kann nicht gelesen werden: E/A-Fehler 2\n"},
    };

    testing::TMemoryFileSystem files;
    files.Files["taverne.dlx"] =
        testing::ReadDiskFile(std::string(REDEWERK_SOURCE_DIR) + "/examples/Taverne.dlx");
    files.Files["broken.dlx"] = "\002END\r\n\002END\r\nA\r\nnull\r\n";
    TProject base;
    base.Tree.AppendChild(nullptr, "Mod");
    files.Files["base.dlx"] = SerializeProject(base);
    files.Files["wirt.dia"] = "PERSON: VLK_1_Wirt\r\nINFO: Hallo\r\n";
    files.Files["bad.d"] = "instance DIA_Bad (C_INFO) { npc = X; };\r\n";
    files.Files["a.d"] = "AI_Output (a, b, \"X\");";
    files.Files["OU.csl"] = "ZenGin Archive\nEND\n";
    const auto before = files.Files;
    auto expect = [&](const char* call, const TCliRun& expected) {
        SCOPED_TRACE(call);
        EXPECT_EQ(RunCliCommand(Args(call), files), expected);
        EXPECT_EQ(files.Files, before);
        EXPECT_TRUE(files.Directories.empty());
    };
    for (const auto& [call, problem] : usageErrors)
        expect(call, {kExitUsage, "", "redewerk-cli: " + std::string(problem) + "\n\n" + help.Out});
    for (const auto& [call, message] : failures)
        expect(call, {kExitFailure, "", message});
}

} // namespace
} // namespace redewerk
