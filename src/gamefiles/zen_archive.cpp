#include "gamefiles/zen_archive.h"

#include <algorithm>
#include <cstdio>

namespace redewerk {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Hands out the lines of a text one by one, without their LF and CR.
class TLineReader {
public:
    explicit TLineReader(std::string_view text) : Text(text) {}

    bool Next(std::string_view& line) {
        if (Offset >= Text.size()) return false;
        size_t end = Text.find('\n', Offset);
        if (end == std::string_view::npos) end = Text.size();
        line = Text.substr(Offset, end - Offset);
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        Offset = end + 1;
        ++Number;
        return true;
    }
    int32_t Line() const { return Number; }

private:
    std::string_view Text;
    size_t Offset = 0;
    int32_t Number = 0;
};

bool Fail(TZenArchiveError& error, int32_t line, std::string message) {
    error = {line, std::move(message)};
    return false;
}

bool ReadHeader(TLineReader& reader, TZenArchive& archive, TZenArchiveError& error) {
    std::string_view line;
    if (!reader.Next(line) || TrimBlanks(line) != "ZenGin Archive")
        return Fail(error, 1,
                    "Keine ZenGin-Archivdatei: die erste Zeile lautet nicht "
                    "\"ZenGin Archive\".");
    archive.Header.assign(1, std::string(line));
    bool ascii = false;
    while (true) {
        if (!reader.Next(line))
            return Fail(error, reader.Line(), "Der Kopf des Archivs endet nicht mit END.");
        archive.Header.emplace_back(line);
        const std::string_view word = TrimBlanks(line);
        if (word == "END") break;
        if (word == "BINARY" || word == "BIN_SAFE")
            return Fail(error, reader.Line(),
                        "Das Archiv ist bin\xE4r gespeichert (" + std::string(word) +
                            "); gelesen werden bisher nur Archive in Textform (ASCII).");
        ascii = ascii || word == "ASCII";
    }
    if (!ascii)
        return Fail(error, reader.Line(), "Der Kopf des Archivs nennt nicht die Textform ASCII.");
    // The object count and its END: the count is made anew when the archive is written.
    do {
        if (!reader.Next(line)) return Fail(error, reader.Line(), "Nach der Objektzahl fehlt END.");
    } while (TrimBlanks(line) != "END");
    return true;
}

// "[name class version index]" without the index, or an empty text when the line is no
// object header. Blanks between the fields become single ones.
std::string_view ObjectHeader(std::string_view line, TZenTexts& made) {
    if (line.size() < 2 || line.back() != ']') return {};
    std::string_view inner = line.substr(1, line.size() - 2);
    std::string_view fields[4];
    size_t count = 0;
    while (true) {
        inner = TrimBlanks(inner);
        if (inner.empty()) break;
        if (count == 4) return {};
        const size_t end = std::min(inner.find_first_of(" \t"), inner.size());
        fields[count++] = inner.substr(0, end);
        inner.remove_prefix(end);
    }
    if (count != 4 || !AllDigits(fields[2]) || !AllDigits(fields[3])) return {};
    const char* start = fields[0].data();
    const char* end = fields[2].data() + fields[2].size();
    const std::string_view written(start, static_cast<size_t>(end - start));
    if (written.size() == fields[0].size() + fields[1].size() + fields[2].size() + 2 &&
        written[fields[0].size()] == ' ' && written[written.size() - fields[2].size() - 1] == ' ')
        return written;
    std::string header;
    header.append(fields[0]).append(1, ' ').append(fields[1]).append(1, ' ').append(fields[2]);
    return made.Keep(std::move(header));
}

} // namespace

bool ReadZenArchive(std::string_view content, TZenArchive& archive, TZenArchiveError& error) {
    archive = {};
    TLineReader reader(content);
    if (!ReadHeader(reader, archive, error)) return false;
    archive.Lines.reserve(static_cast<size_t>(std::count(content.begin(), content.end(), '\n')));

    struct TOpen {
        int32_t Line;
        std::string_view Text;
    };
    std::vector<TOpen> open;
    std::string_view line;
    while (reader.Next(line)) {
        size_t indent = 0;
        while (indent < line.size() && IsBlank(line[indent]))
            ++indent;
        const std::string_view text = line.substr(indent);
        const std::string_view trimmed = TrimBlanks(text);
        if (trimmed.empty()) continue;
        if (trimmed == "[]") {
            if (open.empty())
                return Fail(error, reader.Line(), "\"[]\" schlie\xDFt kein offenes Objekt.");
            open.pop_back();
            archive.Lines.push_back({TZenLineKind::Close, {}});
        } else if (trimmed.front() == '[') {
            const std::string_view header = ObjectHeader(trimmed, archive.Made);
            if (header.empty())
                return Fail(error, reader.Line(),
                            "Objektkopf nicht verstanden: \"" + std::string(trimmed) + "\"");
            if (header.find(" \xA7 ") != std::string::npos)
                return Fail(error, reader.Line(),
                            "Verweise zwischen Objekten (\xA7) werden nicht unterst\xFCtzt.");
            open.push_back({reader.Line(), trimmed});
            archive.Lines.push_back({TZenLineKind::Open, header});
        } else {
            // The value runs to the end of the line, trailing blanks included.
            const size_t equals = text.find('=');
            if (equals == 0 || equals == std::string_view::npos ||
                text.find(':', equals) == std::string_view::npos)
                return Fail(error, reader.Line(),
                            "Zeile nicht verstanden: \"" + std::string(trimmed) + "\"");
            if (open.empty())
                return Fail(error, reader.Line(),
                            "Wert au\xDF"
                            "erhalb eines Objekts: \"" +
                                std::string(trimmed) + "\"");
            archive.Lines.push_back({TZenLineKind::Property, text});
        }
    }
    if (!open.empty())
        return Fail(error, open.back().Line,
                    "Das Objekt \"" + std::string(open.back().Text) +
                        "\" wird nicht mit \"[]\" geschlossen.");
    return true;
}

size_t CountObjects(const std::vector<TZenLine>& lines) {
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [](const TZenLine& line) {
        return line.Kind == TZenLineKind::Open;
    }));
}

TZenWriter::TZenWriter(const TLines& header, size_t objects, size_t lines) {
    // About the size of a line of a library, so that the text grows once or twice at most.
    Out.reserve(lines * 32 + 256);
    for (const auto& line : header) {
        Out += line;
        Out += '\n';
    }
    Out += "objects " + std::to_string(objects) + "\nEND\n\n";
}

void TZenWriter::Write(const std::vector<TZenLine>& lines) {
    for (const auto& line : lines) {
        if (line.Kind == TZenLineKind::Close && Depth > 0) --Depth;
        Out.append(Depth, '\t');
        switch (line.Kind) {
        case TZenLineKind::Open:
            Out += '[';
            Out += line.Text;
            Out += ' ';
            Out += std::to_string(Index++);
            Out += "]\n";
            ++Depth;
            break;
        case TZenLineKind::Close:
            Out += "[]\n";
            break;
        case TZenLineKind::Property:
            Out += line.Text;
            Out += '\n';
            break;
        }
    }
}

TLines NewZenArchiveHeader(int64_t seconds, std::string_view user) {
    return {"ZenGin Archive",
            "ver 1",
            "zCArchiverGeneric",
            "ASCII",
            "saveGame 0",
            "date " + ZenArchiveDate(seconds),
            "user " + std::string(user),
            "END"};
}

std::string ZenArchiveDate(int64_t seconds) {
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // The civil date of a day count (Howard Hinnant's days_from_civil, reversed).
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2);
    char text[64];
    std::snprintf(text, sizeof text, "%lld.%lld.%lld %02lld:%02lld:%02lld",
                  static_cast<long long>(day), static_cast<long long>(month),
                  static_cast<long long>(year), static_cast<long long>(rest / 3600),
                  static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

std::string_view PropertyKey(std::string_view line) {
    const size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : line.substr(0, equals);
}

std::string_view PropertyValue(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    const size_t colon = line.find(':', equals);
    return colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
}

} // namespace redewerk
