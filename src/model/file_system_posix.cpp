// The disk on POSIX systems.
#ifndef _WIN32

#include "model/file_system.h"
#include "model/native_path.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

namespace {

// The file that `path` names, following symbolic links (a link's relative target counts
// from the link's folder). A link to a file that does not exist yet names that file.
int ResolveLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return 0;
        std::string link(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096), '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0) return errno;
        link.resize(static_cast<size_t>(length));
        const std::filesystem::path folder = PathFromUtf8(target).parent_path();
        target = link.starts_with('/') || folder.empty() ? link
                                                         : PathToUtf8(folder / PathFromUtf8(link));
    }
    return ELOOP;
}

// Whether the user may replace the file. The superuser may write any file, so for them a
// file whose permission bits allow nobody to write counts as read-only, as it was meant.
bool MayReplace(const std::string& path, const struct stat& info) {
    if (::geteuid() == 0) return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Gives the new file the owner of the old one. Only the superuser may give a file away;
// anyone else keeps the file as theirs and at most takes over its group.
void TakeOwner(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) == 0) return;
    if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0) return;
}

int WriteAll(int fd, std::string_view content) {
    const char* data = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return 0;
}

// Makes a finished rename durable. A failure here changes nothing the user could act on:
// the new file is in place either way.
void FlushFolder(const std::string& file) {
    std::string folder = PathToUtf8(PathFromUtf8(file).parent_path());
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

int TDiskFileSystem::WriteFile(const std::string& path, std::string_view content) {
    std::string target;
    if (int error = ResolveLinks(path, target)) return error;
    struct stat old;
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) return EISDIR;
    if (replacing && !MayReplace(target, old)) return kErrorReadOnly;

    std::string temp = target + ".rwtmp-XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return errno;
    if (replacing) {
        // The owner first: changing it may clear the set-id bits that the mode then restores.
        TakeOwner(fd, old);
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        // The permissions an ordinary new file would get.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    int error = WriteAll(fd, content);
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && std::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    FlushFolder(target);
    return 0;
}

bool TDiskFileSystem::FileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool TDiskFileSystem::DirectoryExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int TDiskFileSystem::RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int TDiskFileSystem::ModificationTime(const std::string& path, int64_t& seconds) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return errno;
    seconds = static_cast<int64_t>(info.st_mtime);
    return 0;
}

} // namespace redewerk

#endif
