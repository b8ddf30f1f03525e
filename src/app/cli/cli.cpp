#include "app/cli/cli.h"

#include "model/cp1252.h"
#include "model/project.h"

#include <ostream>

namespace redewerk {
namespace {

// One command word of redewerk-cli and the function that runs it.
struct TCommand {
    const char* Name;
    int (*Run)(TCliContext&);
};

constexpr TCommand kCommands[] = {
    {"info", RunInfoCommand},
    {"resave", RunResaveCommand},
    {"check", RunCheckCommand},
    {"highlight", RunHighlightCommand},
    {"compile", RunCompileCommand},
    {"export", RunExportCommand},
    {"import-dia", RunImportDiaCommand},
    {"import", RunImportCommand},
    {"ou", RunOutputUnitsCommand},
};

constexpr const char* kUsage =
    "Aufruf: redewerk-cli BEFEHL ARGUMENTE...\n"
    "\n"
    "Befehle:\n"
    "  info DATEI.dlx                 zeigt den Baum des Projekts\n"
    "  resave EIN.dlx AUS.dlx         lädt ein Projekt und speichert es wieder\n"
    "  check [--condition | --statements | --declarations] DATEI...\n"
    "                                 prüft die Daedalus-Syntax der Dateien (Vorgabe:\n"
    "                                 --declarations); Fehler als DATEI:ZEILE:SPALTE: MELDUNG\n"
    "  highlight DATEI [-o AUS.rtf]   schreibt den farbigen Text als RTF-Dokument\n"
    "  compile DATEI.dlx KNOTENPFAD   gibt den erzeugten Code eines Bausteins aus\n"
    "  export DATEI.dlx --name NAME --folder ORDNER [--one-file] [--variables-in-events]\n"
    "         [--npc-globals] [--code-as-dialog] [--overwrite] [--strict] [--ou OU.csl]\n"
    "                                 exportiert das Projekt als Daedalus-Skripte; Fehler im\n"
    "                                 erzeugten Code als DATEI:ZEILE:SPALTE: MELDUNG (Knoten\n"
    "                                 PFAD), mit --strict wird dann nichts geschrieben; --ou\n"
    "                                 trägt danach die gesprochenen Zeilen in die\n"
    "                                 Ausgabeeinheiten ein\n"
    "  import-dia AUS.dlx DATEI.dia [--into BASIS.dlx] [--replace | --folder KNOTENPFAD]\n"
    "                                 importiert eine Quarn-Dialog-Datei: ohne Option ans Ende\n"
    "                                 von BASIS (oder eines leeren Projekts), --replace verwirft\n"
    "                                 BASIS, --folder legt sie unter diesem Knoten ab\n"
    "  import AUS.dlx SKRIPT.d... [--into BASIS.dlx] [--no-folder-per-file] [--keep-names]\n"
    "         [--strict]\n"
    "                                 importiert Daedalus-Dialogskripte in einen neuen Ordner\n"
    "                                 IMPORT von BASIS (oder eines leeren Projekts); ein\n"
    "                                 fehlerhaftes Skript wird übersprungen und als\n"
    "                                 DATEI:ZEILE:SPALTE: MELDUNG genannt (Exit-Code 1),\n"
    "                                 mit --strict bricht der erste Fehler alles ab;\n"
    "                                 --keep-names behält die Namen der Instanzen, Funktionen\n"
    "                                 und gesprochenen Zeilen\n"
    "  ou AUS.csl SKRIPT.d... [--into OU.csl]\n"
    "                                 schreibt die Ausgabeeinheiten (Untertitel) aller\n"
    "                                 AI_Output-Zeilen der Skripte, mit --into in OU.csl\n"
    "                                 eingefügt\n";

} // namespace

std::string ImportedBlocksLine(size_t count) {
    return std::to_string(count) + (count == 1 ? " Baustein" : " Bausteine") + " importiert.\n";
}

int UsageError(TCliContext& context, const std::string& problem) {
    if (!problem.empty()) context.Err << "redewerk-cli: " << problem << "\n\n";
    context.Err << kUsage;
    return kExitUsage;
}

TNode* FindNodeArgument(TCliContext& context, const TProject& project, const std::string& path) {
    TNode* node = project.Tree.FindByPath(Utf8ToCp1252(path));
    if (!node)
        context.Err << "redewerk-cli: Kein Knoten mit dem Pfad \"" << path << "\" gefunden.\n";
    return node;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           TFileSystem& files) {
    TCliContext context{{}, out, err, files};
    if (args.empty()) return UsageError(context, "Kein Befehl angegeben.");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kUsage;
        return kExitOk;
    }
    context.Args.assign(args.begin() + 1, args.end());
    for (const auto& command : kCommands)
        if (args[0] == command.Name) return command.Run(context);
    return UsageError(context, "Unbekannter Befehl: " + args[0]);
}

} // namespace redewerk
