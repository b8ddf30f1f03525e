#include "model/file_system.h"

#include "model/cp1252.h"
#include "model/native_path.h"

#include <cerrno>
#include <filesystem>

namespace redewerk {

int TDiskFileSystem::MakeDirectory(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(PathFromUtf8(path), error);
    if (error) return error.value();
    return DirectoryExists(path) ? 0 : ENOTDIR;
}

std::string PathToCp1252(std::string_view path) {
    return Utf8ToCp1252(path);
}

std::string Cp1252ToPath(std::string_view text) {
    return Cp1252ToUtf8(text);
}

std::string IoErrorMessage(int error) {
    return "E/A-Fehler " + std::to_string(error);
}

std::string WriteErrorMessage(const std::string& path, int error) {
    if (error == kErrorReadOnly) return "Datei " + PathToCp1252(path) + " ist schreibgesch\xFCtzt.";
    return IoErrorMessage(error);
}

std::string SystemErrorText(int error) {
    switch (error) {
    case ENOENT:
        return "Datei nicht gefunden";
    case ENOTDIR:
        return "Ordner nicht gefunden";
    case EISDIR:
        return "Der Name bezeichnet einen Ordner";
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case EROFS:
        return "Schreibgesch\xFCtzt";
    case ENOSPC:
        return "Kein Platz mehr auf dem Datentr\xE4ger";
    case ENAMETOOLONG:
        return "Der Name ist zu lang";
    case ELOOP:
        return "Zu viele symbolische Verkn\xFCpfungen";
    default:
        return IoErrorMessage(error);
    }
}

std::string UnreadableFileMessage(const std::string& path, int error) {
    return "Datei nicht lesbar: " + PathToCp1252(path) + " (" + SystemErrorText(error) + ")";
}

} // namespace redewerk
