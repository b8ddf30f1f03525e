#include "ui/text_codec.h"

#include "model/cp1252.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextDocument>

namespace redewerk {

QString ToQt(std::string_view cp1252) {
    QString text;
    text.reserve(static_cast<qsizetype>(cp1252.size()));
    // Every Windows-1252 character lies in the Basic Multilingual Plane.
    for (char c : cp1252)
        text += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
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
    QString text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += QLatin1Char('\n');
        text += ToQt(lines[i]);
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
    return QFile::encodeName(path).toStdString();
}

QString PathToQt(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

} // namespace redewerk
