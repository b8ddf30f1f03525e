#pragma once

#include "model/text_lines.h"

#include <QString>

class QPlainTextEdit;
#include <string>
#include <string_view>

namespace redewerk {

// The one place where the Qt side converts the model's Windows-1252 texts to Unicode and
// back. Every one of the 256 bytes maps to a character and back to the same byte.

QString ToQt(std::string_view cp1252);
// Characters that Windows-1252 cannot hold become '?'.
std::string FromQt(const QString& text);

// File names are no Windows-1252 texts: the core's file access takes them as UTF-8 on every
// system (QFile::encodeName would give the ANSI code page on Windows), with the system's
// separators.
std::string PathFromQt(const QString& path);
QString PathToQt(std::string_view path);

// Lines shown in an editor are joined with "\n"; the editor's text splits back at "\n"
// (a CR before it is dropped).
QString LinesToQt(const TLines& lines);
TLines LinesFromQt(const QString& text);

// The text of a plain-text editor exactly as it stands, lines joined with "\n": unlike
// toPlainText() it keeps every no-break space, so a text goes back with the bytes it came with.
QString EditorText(const QPlainTextEdit* editor);

} // namespace redewerk
