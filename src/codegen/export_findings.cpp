#include "codegen/export_findings.h"

#include "daedalus/parser.h"
#include "model/element.h"
#include "model/markers.h"
#include "model/project.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace redewerk {
namespace {

// The checker's states on entering a piece: the declaration list of the file, or, inside a
// function, the statement list of its body with the "}" and ";" that close it.
std::vector<TStat> EntryStates(const TOutputPiece& piece) {
    if (piece.InFunction) return {STeof, STDaed, STsem, STblockend, STstats};
    return {STeof, STDaed};
}

// Looks for the problems of one assembled file and adds them to the findings.
//
// The checker reads the file as a whole, as the game's compiler does, so that what is only
// whole across blocks (a function split over two Code blocks) is no error. After an error it
// starts again with the next piece, so that every block with an error is named once, at its
// first error.
class TFileChecker {
public:
    TFileChecker(const TOutputFile& file, const TProject& project, TParser& checker, TParser& lexer,
                 std::vector<TExportFinding>& findings)
        : File(file), Content(file.Content), Project(project), Checker(checker), Lexer(lexer),
          Findings(findings) {}

    void CheckSyntax() {
        if (File.Pieces.empty()) return;
        Checker.SetText(Content);
        for (size_t piece = 0; piece < File.Pieces.size();) {
            Checker.Pos = static_cast<int32_t>(File.Pieces[piece].Offset) + 1;
            Checker.SkipCache = -1;
            Checker.TokenPushedBack = false;
            Checker.StateStack = EntryStates(File.Pieces[piece]);
            try {
                while (!Checker.StateStack.empty())
                    Checker.Step();
                return;
            } catch (const EParseError& error) {
                piece = std::max(piece + 1, ReportError(error.Message(), piece));
            }
        }
    }

    // References that did not resolve are left in the code as "#INVALID...#", which the game's
    // compiler cannot read. A "#" in a comment or a string is no reference.
    void FindInvalidReferences() {
        for (size_t from = Content.find('#'); from != std::string_view::npos;) {
            const size_t index = PieceAt(from);
            const std::string_view text = PieceText(index);
            const size_t start = File.Pieces[index].Offset;
            for (size_t at = FindReferenceMarker(text, 0); at != std::string_view::npos;
                 at = FindReferenceMarker(text, at)) {
                const size_t close = text.find('#', at + 1);
                if (close == std::string_view::npos) break;
                const std::string_view marker = text.substr(at, close - at + 1);
                if (marker.find("INVALID") != std::string_view::npos)
                    Add(index, start + at, "Ung\xFCltiger Verweis: " + std::string(marker));
                at = close + 1;
            }
            from = Content.find('#', start + text.size());
        }
    }

private:
    // Adds the checker's error, which it met after starting at piece `entered`, and returns
    // the piece to go on with.
    size_t ReportError(const std::string& message, size_t entered) {
        const size_t place = static_cast<size_t>(Checker.ErrorPlace());
        const size_t index = PieceAt(place);
        // An error on the first token of a piece, met inside a construct (a declaration
        // without its ";", a block without its "}"), belongs to the piece that left the
        // construct open: behind its last token. The piece itself is still to be read.
        if (index > entered && !TokenBefore(index, place) &&
            Checker.StateStack.size() > EntryStates(File.Pieces[index]).size()) {
            for (size_t before = index; before-- > entered;) {
                if (std::optional<size_t> end = LastTokenEnd(before)) {
                    Add(before, File.Pieces[before].Offset + *end, message);
                    return index;
                }
            }
        }
        // At the end of the text the checker marks the last byte; the error belongs behind
        // the last token, not behind the blanks and comments that follow it.
        size_t where = place;
        if (std::optional<size_t> end = LastTokenEnd(index))
            where = std::min(where, File.Pieces[index].Offset + *end);
        Add(index, where, message);
        return index + 1;
    }

    // Whether a token of the piece stands before `place`.
    bool TokenBefore(size_t index, size_t place) {
        Lexer.SetText(PieceText(index));
        Lexer.SkipBlanks();
        return File.Pieces[index].Offset + static_cast<size_t>(Lexer.Pos - 1) < place;
    }

    // Where the last token of the piece ends, relative to the piece; none when it holds only
    // blanks and comments.
    std::optional<size_t> LastTokenEnd(size_t index) {
        Lexer.SetText(PieceText(index));
        std::optional<size_t> end;
        try {
            for (Lexer.NextToken(); !Lexer.AtEnd; Lexer.NextToken())
                end = static_cast<size_t>(Lexer.Pos - 1);
        } catch (const EParseError&) {
            // Text the checker does not read as tokens (the rest of a spoken line): the end
            // found so far is as good a place as any.
        }
        return end;
    }

    // The piece that holds the byte at `offset`: the last one that starts at or before it.
    size_t PieceAt(size_t offset) const {
        auto after = std::upper_bound(
            File.Pieces.begin(), File.Pieces.end(), offset,
            [](size_t wanted, const TOutputPiece& piece) { return wanted < piece.Offset; });
        return after == File.Pieces.begin() ? 0
                                            : static_cast<size_t>(after - File.Pieces.begin()) - 1;
    }

    std::string_view PieceText(size_t index) const {
        const size_t start = File.Pieces[index].Offset;
        const size_t end =
            index + 1 < File.Pieces.size() ? File.Pieces[index + 1].Offset : Content.size();
        return Content.substr(start, end - start);
    }

    void Add(size_t index, size_t offset, std::string message) {
        const TOutputPiece& piece = File.Pieces[index];
        TExportFinding& finding = Findings.emplace_back();
        finding.File = File.Name;
        finding.Message = std::move(message);
        finding.Line = piece.Line;
        size_t lineStart = piece.Offset;
        for (size_t i = piece.Offset; i < offset && i < Content.size(); ++i)
            if (Content[i] == '\n') {
                ++finding.Line;
                lineStart = i + 1;
            }
        finding.Column = static_cast<int32_t>(offset - lineStart) + 1;
        finding.Origin = OriginOf(piece, finding.Id);
    }

    std::string OriginOf(const TOutputPiece& piece, int32_t& id) const {
        switch (piece.Source) {
        case TLineSource::Variables:
            return "(Variablen)";
        case TLineSource::Loop:
            return "(Schleife)";
        case TLineSource::NpcTable:
            return "(Npc-Liste)";
        case TLineSource::Block:
            break;
        }
        const TElement* element = Project.Elements.LiveAt(piece.Id);
        if (!element || !element->Node) return "(Baustein " + std::to_string(piece.Id) + ")";
        id = piece.Id;
        return element->Node->Path();
    }

    const TOutputFile& File;
    const std::string_view Content;
    const TProject& Project;
    TParser& Checker; // holds the whole file
    TParser& Lexer;   // reads single pieces
    std::vector<TExportFinding>& Findings;
};

} // namespace

std::string FormatFinding(const TExportFinding& finding) {
    std::string line = finding.File + ":" + std::to_string(finding.Line) + ":" +
                       std::to_string(finding.Column) + ": " + finding.Message + " ";
    line += finding.Id >= 0 ? "(Knoten " + finding.Origin + ")" : finding.Origin;
    return line;
}

std::vector<TExportFinding> FindExportProblems(const std::vector<TOutputFile>& files,
                                               const TProject& project) {
    std::vector<TExportFinding> findings;
    TParser checker;
    TParser lexer;
    for (const TOutputFile& file : files) {
        const size_t first = findings.size();
        TFileChecker fileChecker(file, project, checker, lexer, findings);
        fileChecker.CheckSyntax();
        fileChecker.FindInvalidReferences();
        std::stable_sort(findings.begin() + static_cast<std::ptrdiff_t>(first), findings.end(),
                         [](const TExportFinding& a, const TExportFinding& b) {
                             return a.Line != b.Line ? a.Line < b.Line : a.Column < b.Column;
                         });
    }
    return findings;
}

} // namespace redewerk
