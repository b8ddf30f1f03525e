// The disk on Windows: every path goes through the UTF-16 functions, so that a name in any
// language works whatever the ANSI code page is.
#ifdef _WIN32

#include "model/file_system.h"
#include "model/native_path.h"

#include <windows.h>

#include <aclapi.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cwchar>

namespace redewerk {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Windows' error codes as the C library's numbers, which the messages know on every system.
int ErrorNumber(DWORD code) {
    switch (code) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NOT_READY:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return ENAMETOOLONG;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_CANT_RESOLVE_FILENAME:
        return ELOOP;
    case ERROR_INVALID_NAME:
        return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

int LastError() {
    return ErrorNumber(::GetLastError());
}

std::wstring Native(const std::string& path) {
    return PathFromUtf8(path).native();
}

// The attributes and times of the file or folder a path names, following a symbolic link to
// what it names. False, with the error left for LastError, when there is none.
bool Inspect(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = ::GetFileInformationByHandle(file, &info);
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    if (!known) {
        ::SetLastError(error);
        return false;
    }
    data.dwFileAttributes = info.dwFileAttributes;
    data.ftLastWriteTime = info.ftLastWriteTime;
    return true;
}

bool IsSymbolicLink(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    ::FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           found.dwReserved0 == IO_REPARSE_TAG_SYMLINK;
}

// The file that `path` names: a symbolic link is followed to the file it names, so that
// writing keeps the link a link. Other reparse points (cloud files) are the file itself.
int ResolveLinks(const std::wstring& path, std::wstring& target) {
    target = path;
    if (!IsSymbolicLink(path)) return 0;
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError();
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = 0;
    for (;;) {
        length = ::GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length < final.size()) break;
        final.resize(length + 1);
    }
    const int error = length == 0 ? LastError() : 0;
    ::CloseHandle(file);
    if (error) return error;
    final.resize(length);
    target = final;
    return 0;
}

// Whether the user may replace the file: it is not marked read-only, and its access rights
// let them write it. Another program holding it open is no reason: that shows when it is
// replaced.
bool MayReplace(const std::wstring& path, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_READONLY) return false;
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_DATA, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
        return true;
    }
    return ::GetLastError() != ERROR_ACCESS_DENIED;
}

// A new, empty file beside `target` that no other program may open while it is written.
int CreateTemporary(const std::wstring& target, std::wstring& name, HANDLE& file) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned long long tag =
            (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^ ::GetTickCount64() ^
            (counter++ * 0x9E3779B9u);
        wchar_t suffix[32];
        swprintf(suffix, 32, L".rwtmp-%06llx", tag & 0xFFFFFF);
        name = target + suffix;
        file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return 0;
        if (::GetLastError() != ERROR_FILE_EXISTS) return LastError();
    }
    return EEXIST;
}

int WriteAll(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, content.data(), chunk, &written, nullptr)) return LastError();
        content.remove_prefix(written);
    }
    return 0;
}

// Gives the new file what the old one had of its own: the hidden, system and archive marks,
// and its access rights (those it inherits from the folder it gets anyway). Best effort: a
// file system without access rights has nothing to copy.
void TakeOver(const std::wstring& old, DWORD attributes, const std::wstring& next) {
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(old.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, &access, nullptr, &descriptor) == ERROR_SUCCESS) {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        ::GetSecurityDescriptorControl(descriptor, &control, &revision);
        const SECURITY_INFORMATION inheritance = (control & SE_DACL_PROTECTED)
                                                     ? PROTECTED_DACL_SECURITY_INFORMATION
                                                     : UNPROTECTED_DACL_SECURITY_INFORMATION;
        ::SetNamedSecurityInfoW(const_cast<wchar_t*>(next.c_str()), SE_FILE_OBJECT,
                                DACL_SECURITY_INFORMATION | inheritance, nullptr, nullptr, access,
                                nullptr);
        ::LocalFree(descriptor);
    }
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (kept) ::SetFileAttributesW(next.c_str(), kept);
}

} // namespace

int TDiskFileSystem::ReadFile(const std::string& path, std::string& content) {
    content.clear();
    const std::wstring name = Native(path);
    const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const int error = LastError();
        return DirectoryExists(path) ? EISDIR : error;
    }
    LARGE_INTEGER size;
    if (::GetFileSizeEx(file, &size) && size.QuadPart > 0)
        content.reserve(static_cast<size_t>(size.QuadPart));
    char buffer[65536];
    DWORD got = 0;
    int error = 0;
    while (true) {
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            error = LastError();
            break;
        }
        if (got == 0) break;
        content.append(buffer, got);
    }
    ::CloseHandle(file);
    return error;
}

int TDiskFileSystem::WriteFile(const std::string& path, std::string_view content) {
    std::wstring target;
    if (int error = ResolveLinks(Native(path), target)) return error;
    WIN32_FILE_ATTRIBUTE_DATA old;
    const bool replacing = Inspect(target, old);
    if (replacing && (old.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return EISDIR;
    if (replacing && !MayReplace(target, old.dwFileAttributes)) return kErrorReadOnly;

    std::wstring temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    if (int error = CreateTemporary(target, temp, file)) return error;
    int error = WriteAll(file, content);
    if (!error && !::FlushFileBuffers(file)) error = LastError();
    if (!::CloseHandle(file) && !error) error = LastError();
    if (!error && replacing) TakeOver(target, old.dwFileAttributes, temp);
    if (!error && !::MoveFileExW(temp.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = LastError();
    if (error) ::DeleteFileW(temp.c_str());
    return error;
}

bool TDiskFileSystem::FileExists(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return Inspect(Native(path), data) && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TDiskFileSystem::DirectoryExists(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return Inspect(Native(path), data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

int TDiskFileSystem::RemoveFile(const std::string& path) {
    return ::DeleteFileW(Native(path).c_str()) ? 0 : LastError();
}

int TDiskFileSystem::ModificationTime(const std::string& path, int64_t& seconds) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!Inspect(Native(path), data)) return LastError();
    // Ticks of 100 ns since 1.1.1601.
    const int64_t ticks = (static_cast<int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime;
    seconds = ticks / 10000000 - 11644473600;
    return 0;
}

} // namespace redewerk

#endif
