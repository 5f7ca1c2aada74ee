// What replacing keeps on POSIX (permissions, owner, links, devices), and how it behaves where the
// folder refuses new files or the disk has no room for two copies.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "child_process.h"
#include "contents.h"
#include "file_replace/replace_file.h"
#include "support/file_size_limit.h"

namespace {

using file_replace_test::SKIPPED_BECAUSE;
using test_support::read_file;
using test_support::TempFolder;
namespace fs = std::filesystem;

using file_replace_test::bytes_of;
using file_replace_test::writes;

struct stat status_of(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

unsigned mode_of(const std::string& path) { return status_of(path).st_mode & 07777; }

class Umask {
public:
    explicit Umask(mode_t mask) : saved_(::umask(mask)) {}
    ~Umask() { ::umask(saved_); }

private:
    mode_t saved_;
};

TEST(ReplaceFilePosix, TheNewFileHasTheOldFilesPermissions) {
    const Umask umask(022);
    for (const unsigned mode : {0600u, 0640u, 0604u, 0755u, 0666u}) {
        SCOPED_TRACE(mode);
        TempFolder folder;
        const std::string path = folder.file("work.mpa");
        test_support::write_file(path, bytes_of("old"));
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_EQ(replace_file(path.c_str(), writes("new")).status, ReplaceStatus::ok);
        EXPECT_EQ(read_file(path), bytes_of("new"));
        EXPECT_EQ(mode_of(path), mode);
    }
}

TEST(ReplaceFilePosix, PermissionsOfANewFileAndWithheldBits) {
    struct Case {
        const char* name;
        mode_t umask;
        int old_mode;  // -1: no file before
        ReplaceOptions options;
        unsigned expected_mode;
    };
    const std::vector<Case> cases = {
        {"new, the umask applies", 027, -1, {}, 0640},
        {"new private file whatever the umask", 0, -1, {0600, 0077}, 0600},
        {"old wide file is narrowed", 022, 0644, {0600, 0077}, 0600},
        {"old narrower file stays narrower", 0, 0400 | 0200, {0600, 0077}, 0600},
        {"old file without the owner's read bit", 0, 0200, {0600, 0077}, 0200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Umask umask(c.umask);
        TempFolder folder;
        const std::string path = folder.file("registry.ini");
        if (c.old_mode >= 0) {
            test_support::write_file(path, bytes_of("old"));
            ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.old_mode)), 0);
        }
        ASSERT_EQ(replace_file(path.c_str(), writes("new"), c.options).status, ReplaceStatus::ok);
        EXPECT_EQ(mode_of(path), c.expected_mode);
        EXPECT_EQ(folder.names(), std::vector<std::string>{"registry.ini"});
    }
}

TEST(ReplaceFilePosix, TheNewFileKeepsTheOldOwnerAndGroup) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser may give a file to another user";
    }
    TempFolder folder;
    const std::string path = folder.file("theirs.mpa");
    test_support::write_file(path, bytes_of("old"));
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(replace_file(path.c_str(), writes("new")).status, ReplaceStatus::ok);
    EXPECT_EQ(status_of(path).st_uid, 65534u);
    EXPECT_EQ(status_of(path).st_gid, 65534u);
    EXPECT_EQ(read_file(path), bytes_of("new"));
}

TEST(ReplaceFilePosix, ALinkStaysALinkAndTheFileItNamesIsReplaced) {
    struct Case {
        const char* name;
        // Link texts from link.mpa in "here" (the first is what the user saves to), each naming
        // the next; the last names the file, whose folder is "there".
        std::vector<std::string> hops;
        bool file_exists_before;
    };
    const std::vector<Case> cases = {
        {"relative link into another folder", {"../there/real.mpa"}, true},
        {"absolute link", {"ABSOLUTE"}, true},
        {"link to a link", {"second.mpa", "../there/real.mpa"}, true},
        {"link to a file not made yet", {"../there/real.mpa"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        fs::create_directory(folder.path() / "here");
        fs::create_directory(folder.path() / "there");
        const std::string real = folder.file("there/real.mpa");
        if (c.file_exists_before) {
            test_support::write_file(real, bytes_of("old"));
            ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
        }
        std::vector<std::string> links = {folder.file("here/link.mpa")};
        if (c.hops.size() == 2) {
            links.push_back(folder.file("here/second.mpa"));
        }
        for (std::size_t i = 0; i < links.size(); ++i) {
            const std::string text = c.hops[i] == "ABSOLUTE" ? real : c.hops[i];
            fs::create_symlink(text, links[i]);
        }
        const ReplaceResult result = replace_file(links[0].c_str(), writes("new"));
        EXPECT_EQ(result.status, ReplaceStatus::ok);
        for (std::size_t i = 0; i < links.size(); ++i) {
            EXPECT_TRUE(fs::is_symlink(links[i])) << links[i];
            EXPECT_EQ(fs::read_symlink(links[i]).string(),
                      c.hops[i] == "ABSOLUTE" ? real : c.hops[i]);
        }
        EXPECT_EQ(read_file(real), bytes_of("new"));
        if (c.file_exists_before) {
            EXPECT_EQ(mode_of(real), 0640u);
        }
        EXPECT_EQ(fs::directory_iterator(folder.path() / "there")->path().filename(), "real.mpa");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "there"),
                                fs::directory_iterator()),
                  1);
        EXPECT_EQ(
            std::distance(fs::directory_iterator(folder.path() / "here"), fs::directory_iterator()),
            static_cast<long>(links.size()));
    }
}

TEST(ReplaceFilePosix, ALinkLoopIsRefused) {
    TempFolder folder;
    fs::create_symlink("b.mpa", folder.path() / "a.mpa");
    fs::create_symlink("a.mpa", folder.path() / "b.mpa");
    EXPECT_EQ(replace_file(folder.file("a.mpa").c_str(), writes("x")).status,
              ReplaceStatus::cannot_create);
    EXPECT_EQ(folder.names().size(), 2u);
}

TEST(ReplaceFilePosix, AFailedWriteLeavesTheOldFileExactlyAndNothingBehind) {
    TempFolder folder;
    const std::string path = folder.file("work.mpa");
    const std::vector<uint8_t> old(3000, 0x5A);
    test_support::write_file(path, old);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    const struct stat before = status_of(path);
    ReplaceResult result;
    {
        const test_support::FileSizeLimit limit(16 * 1024);
        result = replace_file(path.c_str(), writes(std::string(64 * 1024, 'n')));
    }
    EXPECT_EQ(result.status, ReplaceStatus::write_failed);
    EXPECT_FALSE(result.written_in_place);
    EXPECT_EQ(read_file(path), old);
    const struct stat after = status_of(path);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"work.mpa"});
}

TEST(ReplaceFilePosix, ADeviceIsWrittenWhereItIsAndStaysADevice) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser may make device nodes";
    }
    struct Case {
        const char* name;
        unsigned minor;  // of the memory devices: 3 discards everything, 7 is always full
        ReplaceStatus expected;
    };
    const std::vector<Case> cases = {
        {"null", 3, ReplaceStatus::ok},
        {"full", 7, ReplaceStatus::write_failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.file(c.name);
        ASSERT_EQ(::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, c.minor)), 0);
        const int probe = ::open(path.c_str(), O_WRONLY);
        if (probe < 0) {
            GTEST_SKIP() << "device nodes cannot be opened here";
        }
        ::close(probe);
        const ReplaceResult result = replace_file(path.c_str(), writes(std::string(10000, 'd')));
        EXPECT_EQ(result.status, c.expected);
        EXPECT_TRUE(result.written_in_place);
        EXPECT_TRUE(S_ISCHR(status_of(path).st_mode));
        EXPECT_EQ(folder.names(), std::vector<std::string>{c.name});
    }
}

// The folder refuses new files or the file refuses writing: checked as a user whom the
// permissions bind.
TEST(ReplaceFilePosix, WhereTheFolderTakesNoNewFileTheFileIsWrittenInPlace) {
    struct Case {
        const char* name;
        mode_t folder_mode;
        mode_t file_mode;
        ReplaceStatus expected;
        bool in_place;
        bool replaced;
    };
    const std::vector<Case> cases = {
        {"folder refuses, file writable", 0555, 0666, ReplaceStatus::ok, true, true},
        {"folder refuses, file read-only", 0555, 0444, ReplaceStatus::cannot_create, false, false},
        {"folder takes, file read-only", 0777, 0444, ReplaceStatus::cannot_create, false, false},
        {"folder takes, file writable", 0777, 0666, ReplaceStatus::ok, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
        const fs::path inner = folder.path() / "inner";
        fs::create_directory(inner);
        const std::string path = (inner / "shared.mpa").string();
        test_support::write_file(path, bytes_of(std::string(500, 'o')));
        ASSERT_EQ(::chmod(path.c_str(), c.file_mode), 0);
        ASSERT_EQ(::chmod(inner.c_str(), c.folder_mode), 0);
        const ino_t inode = status_of(path).st_ino;
        EXPECT_CHILD_CHECK([&]() -> std::string {
            const std::string dropped = file_replace_test::drop_privileges();
            if (!dropped.empty()) {
                return dropped;
            }
            const ReplaceResult result = replace_file(path.c_str(), writes("new"));
            std::string wrong;
            if (result.status != c.expected)
                wrong += "status " + std::to_string(int(result.status)) + "; ";
            if (result.written_in_place != c.in_place) wrong += "in place differs; ";
            return wrong;
        });
        ASSERT_EQ(::chmod(inner.c_str(), 0755), 0);
        EXPECT_EQ(read_file(path), bytes_of(c.replaced ? "new" : std::string(500, 'o')));
        if (c.in_place || !c.replaced) {
            EXPECT_EQ(status_of(path).st_ino, inode);
        }
        EXPECT_EQ(mode_of(path), c.file_mode);
        EXPECT_EQ(std::distance(fs::directory_iterator(inner), fs::directory_iterator()), 1);
    }
}

// A write in place cut short (here by the file size limit, at 16 kB of a 20 kB file) is undone:
// the old bytes are put back and read again.
TEST(ReplaceFilePosix, AnInPlaceWriteCutShortPutsTheOldBytesBack) {
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    const fs::path inner = folder.path() / "inner";
    fs::create_directory(inner);
    const std::string path = (inner / "shared.mpa").string();
    const std::string old(20 * 1024, 'o');
    test_support::write_file(path, bytes_of(old));
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(inner.c_str(), 0555), 0);
    EXPECT_CHILD_CHECK([&]() -> std::string {
        const std::string dropped = file_replace_test::drop_privileges();
        if (!dropped.empty()) {
            return dropped;
        }
        const test_support::FileSizeLimit limit(16 * 1024);
        const ReplaceResult result =
            replace_file(path.c_str(), writes(std::string(18 * 1024, 'n')));
        std::string wrong;
        if (result.status != ReplaceStatus::write_failed)
            wrong += "status " + std::to_string(int(result.status)) + "; ";
        if (!result.written_in_place) wrong += "not written in place; ";
        if (result.left_damaged) wrong += "left damaged; ";
        return wrong;
    });
    ASSERT_EQ(::chmod(inner.c_str(), 0755), 0);
    EXPECT_EQ(read_file(path), bytes_of(old));
}

// A disk too full for a second copy, or with no inode left for one: a small file system of its
// own, mounted in a mount namespace of the child's own, so nothing outside the test ever sees it.
// Whatever happens, the file ends with either all of the new contents or all of the old.
TEST(ReplaceFilePosix, AFullDiskKeepsTheOldFileOrTakesAllOfTheNew) {
    struct Case {
        const char* name;
        std::size_t old_size;
        bool no_free_inode;
        std::size_t new_size;
        ReplaceStatus expected;
        bool in_place;
    };
    constexpr std::size_t ROOM = 16 * 1024;  // free beside the old file
    const std::vector<Case> cases = {
        {"new contents fit beside the old", 48 * 1024, false, 8 * 1024, ReplaceStatus::ok, false},
        {"no larger than the old: written in place", 48 * 1024, false, 32 * 1024, ReplaceStatus::ok,
         true},
        {"larger than the old, within the room: written in place", 48 * 1024, false, 60 * 1024,
         ReplaceStatus::ok, true},
        {"larger than the old and the room: refused, old file kept", 48 * 1024, false, 80 * 1024,
         ReplaceStatus::write_failed, false},
        {"no free inode, fits the room: written in place", 28, true, 10 * 1024, ReplaceStatus::ok,
         true},
        {"no free inode, larger than the room: refused, old file kept", 28, true, 40 * 1024,
         ReplaceStatus::write_failed, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string disk = (folder.path() / "disk").string();
        fs::create_directory(disk);
        EXPECT_CHILD_CHECK([&]() -> std::string {
            if (::geteuid() != 0) {
                return SKIPPED_BECAUSE + "only the superuser may mount the small file system";
            }
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=128k,nr_inodes=32") != 0) {
                return SKIPPED_BECAUSE + "no small file system can be mounted here";
            }
            const std::string path = disk + "/work.mpa";
            const std::vector<uint8_t> old(c.old_size, 'o');
            test_support::write_file(path, old);
            // Fill the disk, then free some room of it.
            const std::string filler = disk + "/filler";
            {
                const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT, 0600);
                const std::string block(4096, 'f');
                while (::write(fd, block.data(), block.size()) == ssize_t(block.size())) {
                }
                ::close(fd);
            }
            const auto filled = static_cast<off_t>(fs::file_size(filler));
            if (::truncate(filler.c_str(), filled - static_cast<off_t>(ROOM)) != 0) {
                return "cannot free space";
            }
            if (c.no_free_inode) {
                for (int n = 0;; ++n) {
                    const int fd = ::open((disk + "/inode" + std::to_string(n)).c_str(),
                                          O_WRONLY | O_CREAT | O_EXCL, 0600);
                    if (fd < 0) break;
                    ::close(fd);
                }
            }
            const auto files = [&] {
                return std::distance(fs::directory_iterator(disk), fs::directory_iterator());
            };
            const auto files_before = files();
            const std::string contents(c.new_size, 'n');
            const ReplaceResult result = replace_file(path.c_str(), writes(contents));
            std::string wrong;
            if (result.status != c.expected)
                wrong += "status " + std::to_string(int(result.status)) + "; ";
            if (result.written_in_place != c.in_place) wrong += "in place differs; ";
            if (result.left_damaged) wrong += "left damaged; ";
            const std::vector<uint8_t> now = read_file(path);
            if (c.expected == ReplaceStatus::ok && now != bytes_of(contents))
                wrong += "new contents differ; ";
            if (c.expected != ReplaceStatus::ok && now != old) wrong += "old file changed; ";
            if (files() != files_before) wrong += "files left behind; ";
            return wrong;
        });
    }
}

}  // namespace
