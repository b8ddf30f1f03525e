#include "model/file_system.h"

#include "model/cp1252.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace redewerk {

int TDiskFileSystem::ReadFile(const std::string& path, std::string& content) {
    content.clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return errno;
    struct stat info;
    if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return EISDIR;
    }
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    int error = std::ferror(file) ? (errno ? errno : EIO) : 0;
    std::fclose(file);
    return error;
}

int TDiskFileSystem::WriteFile(const std::string& path, std::string_view content) {
    std::string temp = path + ".rwtmp-XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) return errno;
    // Keep the permissions an ordinary new file would get.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    const char* data = content.data();
    size_t left = content.size();
    int error = 0;
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            error = errno;
            break;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    if (!error && fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && std::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error) ::unlink(temp.c_str());
    return error;
}

bool TDiskFileSystem::FileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool TDiskFileSystem::DirectoryExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int TDiskFileSystem::CreateDirectory(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
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

} // namespace redewerk
