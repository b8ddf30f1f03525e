#include "model/file_system.h"
#include "model/native_path.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace redewerk {
namespace {

namespace fs = std::filesystem;

// A fresh folder of its own for each test.
struct TDiskFileSystemTest : ::testing::Test {
    TDiskFileSystemTest() {
        Folder = PathFromUtf8(::testing::TempDir()) /
                 ("files_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        testing::RemoveTree(Folder);
        fs::create_directories(Folder);
    }
    ~TDiskFileSystemTest() override { testing::RemoveTree(Folder); }

    // A path as the program builds it: the folder, the system's separator, the name.
    std::string Path(const std::string& name) const {
        return PathToUtf8(Folder / PathFromUtf8(name));
    }
    std::string Read(const std::string& name) {
        std::string content;
        EXPECT_EQ(Files.ReadFile(Path(name), content), 0) << name;
        return content;
    }
    // Everything left in a folder: a failed or finished write leaves no temporary file.
    std::vector<std::string> Names(const std::string& folder = "") const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder / PathFromUtf8(folder)))
            names.push_back(PathToUtf8(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path Folder;
    TDiskFileSystem Files;
};

// Saving over a file is what every second save does; the folder and the name may hold any
// letter, those outside Windows-1252 too.
TEST_F(TDiskFileSystemTest, ReplacesFilesInFoldersOfAnyName) {
    const std::string folder = Path("Ausgabe_\xC3\x84/J\xC3\xBCrgen");
    const std::string file = "Ausgabe_\xC3\x84/J\xC3\xBCrgen/Dialoge_\xC5\x81ukasz_\xD0\x96.d";
    EXPECT_FALSE(Files.DirectoryExists(folder));
    ASSERT_EQ(Files.MakeDirectory(folder), 0);
    EXPECT_EQ(Files.MakeDirectory(folder), 0); // there already
    EXPECT_TRUE(Files.DirectoryExists(folder));
    EXPECT_FALSE(Files.FileExists(folder));

    EXPECT_EQ(Files.WriteFile(Path(file), "alt\r\n"), 0);
    EXPECT_EQ(Files.WriteFile(Path(file), std::string("neu\r\n\0\xFF", 7)), 0);
    EXPECT_EQ(Read(file), std::string("neu\r\n\0\xFF", 7));
    EXPECT_TRUE(Files.FileExists(Path(file)));
    EXPECT_FALSE(Files.DirectoryExists(Path(file)));
    EXPECT_EQ(Names("Ausgabe_\xC3\x84/J\xC3\xBCrgen"),
              std::vector<std::string>{"Dialoge_\xC5\x81ukasz_\xD0\x96.d"});

    const int64_t time = 1796547900; // 6.12.2026 09:05:00 UTC
    fs::last_write_time(
        PathFromUtf8(Path(file)),
        std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(time))));
    int64_t seconds = 0;
    EXPECT_EQ(Files.ModificationTime(Path(file), seconds), 0);
    EXPECT_EQ(seconds, time);

    EXPECT_EQ(Files.RemoveFile(Path(file)), 0);
    EXPECT_FALSE(Files.FileExists(Path(file)));
    EXPECT_EQ(Files.RemoveFile(Path(file)), ENOENT);
    EXPECT_EQ(Files.ModificationTime(Path(file), seconds), ENOENT);
}

TEST_F(TDiskFileSystemTest, FoldersAndMissingFilesAreNoFiles) {
    fs::create_directory(Folder / "ordner");
    std::string content = "bleibt nicht";
    EXPECT_EQ(Files.ReadFile(Path("ordner"), content), EISDIR);
    EXPECT_EQ(content, "");
    EXPECT_EQ(Files.ReadFile(Path("fehlt"), content), ENOENT);
    EXPECT_EQ(Files.WriteFile(Path("ordner"), "x"), EISDIR);
    EXPECT_EQ(Files.WriteFile(Path("fehlt/datei"), "x"), ENOENT);
    EXPECT_EQ(Files.WriteFile(Path("datei"), "x"), 0);
    EXPECT_NE(Files.MakeDirectory(Path("datei")), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"datei", "ordner"}));
    EXPECT_EQ(UnreadableFileMessage("a/b.d", EISDIR),
              "Datei nicht lesbar: a/b.d (Der Name bezeichnet einen Ordner)");
}

// A file without write permission (on Windows: marked read-only) stays as it is.
TEST_F(TDiskFileSystemTest, RefusesAReadOnlyFile) {
    ASSERT_EQ(Files.WriteFile(Path("p.dlx"), "alt"), 0);
    fs::permissions(PathFromUtf8(Path("p.dlx")), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(Files.WriteFile(Path("p.dlx"), "verloren"), kErrorReadOnly);
    EXPECT_EQ(Read("p.dlx"), "alt");
    EXPECT_EQ(Names(), std::vector<std::string>{"p.dlx"});
    EXPECT_EQ(WriteErrorMessage(Path("p.dlx"), kErrorReadOnly),
              "Datei " + Path("p.dlx") + " ist schreibgesch\xFCtzt.");
}

#ifdef _WIN32

// The marks a user gave the file stay; the read-only mark is the one that refuses.
TEST_F(TDiskFileSystemTest, KeepsTheHiddenAndSystemMarks) {
    ASSERT_EQ(Files.WriteFile(Path("versteckt.dlx"), "alt"), 0);
    const std::wstring name = PathFromUtf8(Path("versteckt.dlx")).native();
    ASSERT_TRUE(::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(Files.WriteFile(Path("versteckt.dlx"), "neu"), 0);
    EXPECT_EQ(Read("versteckt.dlx"), "neu");
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
}

TEST_F(TDiskFileSystemTest, WritesThroughSymbolicLinksToTheFileTheyName) {
    GTEST_SKIP() << "symbolic links need a privilege that Windows users rarely have";
}

TEST_F(TDiskFileSystemTest, KeepsThePermissionBits) {
    GTEST_SKIP() << "Windows has no permission bits, only the read-only mark tested above";
}

#else

mode_t Mode(const std::string& path) {
    struct stat info;
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST_F(TDiskFileSystemTest, WritesThroughSymbolicLinksToTheFileTheyName) {
    ASSERT_EQ(Files.WriteFile(Path("echt.dlx"), "alt"), 0);
    fs::create_symlink("echt.dlx", Path("link.dlx")); // relative to the link's folder
    fs::create_symlink(Path("link.dlx"), Path("kette.dlx"));
    fs::create_symlink("neu.dlx", Path("offen.dlx")); // names a file not there yet

    EXPECT_EQ(Files.WriteFile(Path("kette.dlx"), "neu"), 0);
    EXPECT_EQ(Files.WriteFile(Path("offen.dlx"), "erstellt"), 0);
    EXPECT_TRUE(fs::is_symlink(Path("kette.dlx")));
    EXPECT_TRUE(fs::is_symlink(Path("link.dlx")));
    EXPECT_TRUE(fs::is_symlink(Path("offen.dlx")));
    EXPECT_EQ(Read("echt.dlx"), "neu");
    EXPECT_EQ(Read("neu.dlx"), "erstellt");

    fs::create_symlink("schleife.dlx", Path("schleife.dlx"));
    EXPECT_EQ(Files.WriteFile(Path("schleife.dlx"), "x"), ELOOP);
    EXPECT_EQ(Names(), (std::vector<std::string>{"echt.dlx", "kette.dlx", "link.dlx", "neu.dlx",
                                                 "offen.dlx", "schleife.dlx"}));
}

TEST_F(TDiskFileSystemTest, KeepsThePermissionBits) {
    ASSERT_EQ(Files.WriteFile(Path("p.dlx"), "alt"), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(Mode(Path("p.dlx")), 0666 & ~mask); // a new file as any program makes it

    ::chmod(Path("p.dlx").c_str(), 0604);
    EXPECT_EQ(Files.WriteFile(Path("p.dlx"), "neu"), 0);
    EXPECT_EQ(Mode(Path("p.dlx")), 0604u);
    EXPECT_EQ(Read("p.dlx"), "neu");

    ::chmod(Path("p.dlx").c_str(), 0444);
    EXPECT_EQ(Files.WriteFile(Path("p.dlx"), "verloren"), kErrorReadOnly);
    EXPECT_EQ(Mode(Path("p.dlx")), 0444u);
}

#endif

} // namespace
} // namespace redewerk
