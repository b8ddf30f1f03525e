#include "model/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace redewerk {
namespace {

namespace fs = std::filesystem;

// A fresh folder of its own for each test.
struct TDiskFileSystemTest : ::testing::Test {
    TDiskFileSystemTest() {
        Folder = fs::path(::testing::TempDir()) /
                 ("files_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Folder);
        fs::create_directories(Folder);
    }
    ~TDiskFileSystemTest() override { fs::remove_all(Folder); }

    std::string Path(const std::string& name) const { return (Folder / name).string(); }
    std::string Read(const std::string& name) {
        std::string content;
        EXPECT_EQ(Files.ReadFile(Path(name), content), 0) << name;
        return content;
    }
    mode_t Mode(const std::string& name) const {
        struct stat info;
        EXPECT_EQ(::lstat(Path(name).c_str(), &info), 0) << name;
        return info.st_mode & 07777;
    }
    // Everything left in the folder: a failed or finished write leaves no temporary file.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path Folder;
    TDiskFileSystem Files;
};

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

TEST_F(TDiskFileSystemTest, KeepsThePermissionsAndRefusesAReadOnlyFile) {
    ASSERT_EQ(Files.WriteFile(Path("p.dlx"), "alt"), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(Mode("p.dlx"), 0666 & ~mask); // a new file as any program makes it

    ::chmod(Path("p.dlx").c_str(), 0604);
    EXPECT_EQ(Files.WriteFile(Path("p.dlx"), "neu"), 0);
    EXPECT_EQ(Mode("p.dlx"), 0604u);
    EXPECT_EQ(Read("p.dlx"), "neu");

    ::chmod(Path("p.dlx").c_str(), 0444);
    EXPECT_EQ(Files.WriteFile(Path("p.dlx"), "verloren"), kErrorReadOnly);
    EXPECT_EQ(Read("p.dlx"), "neu");
    EXPECT_EQ(Mode("p.dlx"), 0444u);
    EXPECT_EQ(Names(), std::vector<std::string>{"p.dlx"});
    EXPECT_EQ(WriteErrorMessage(Path("p.dlx"), kErrorReadOnly),
              "Datei " + Path("p.dlx") + " ist schreibgesch\xFCtzt.");
}

TEST_F(TDiskFileSystemTest, FoldersAndMissingFilesAreNoFiles) {
    fs::create_directory(Path("ordner"));
    std::string content = "bleibt nicht";
    EXPECT_EQ(Files.ReadFile(Path("ordner"), content), EISDIR);
    EXPECT_EQ(content, "");
    EXPECT_EQ(Files.ReadFile(Path("fehlt"), content), ENOENT);
    EXPECT_EQ(Files.WriteFile(Path("ordner"), "x"), EISDIR);
    EXPECT_EQ(Files.WriteFile(Path("fehlt/datei"), "x"), ENOENT);
    EXPECT_EQ(Names(), std::vector<std::string>{"ordner"});
    EXPECT_EQ(UnreadableFileMessage("a/b.d", EISDIR),
              "Datei nicht lesbar: a/b.d (Der Name bezeichnet einen Ordner)");
}

} // namespace
} // namespace redewerk
