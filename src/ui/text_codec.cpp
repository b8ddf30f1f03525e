#include "ui/text_codec.h"

#include "model/cp1252.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextDocument>

namespace redewerk {

namespace {

// Writes the characters of `cp1252` to `out`; every Windows-1252 character lies in the Basic
// Multilingual Plane, so each byte is one UTF-16 unit.
QChar* Decode(std::string_view cp1252, QChar* out) {
    for (char c : cp1252)
        *out++ = QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
    return out;
}

} // namespace

QString ToQt(std::string_view cp1252) {
    QString text(static_cast<qsizetype>(cp1252.size()), Qt::Uninitialized);
    Decode(cp1252, text.data());
    return text;
}

std::string FromQt(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (char32_t cp : text.toUcs4()) {
        unsigned char byte = 0;
        bytes += UnicodeToCp1252(cp, byte) ? static_cast<char>(byte) : '?';
    }
    return bytes;
}

QString LinesToQt(const TLines& lines) {
    size_t size = lines.empty() ? 0 : lines.size() - 1;
    for (const std::string& line : lines)
        size += line.size();
    QString text(static_cast<qsizetype>(size), Qt::Uninitialized);
    QChar* out = text.data();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) *out++ = QLatin1Char('\n');
        out = Decode(lines[i], out);
    }
    return text;
}

TLines LinesFromQt(const QString& text) {
    TLines lines;
    if (text.isEmpty()) return lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        lines.push_back(FromQt(line));
    }
    return lines;
}

QString EditorText(const QPlainTextEdit* editor) {
    QString text = editor->document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
    return text;
}

std::string PathFromQt(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

QString PathToQt(std::string_view path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

} // namespace redewerk
