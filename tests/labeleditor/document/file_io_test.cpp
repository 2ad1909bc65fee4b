// Files are replaced whole or not at all; the controller's writer rides on that.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "labeleditor/document/file_io.h"
#include "labeleditor/document/short_label_writer.h"
#include "tests/labeleditor/document/temp_folder.h"

namespace tovik::label {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempFolder;

TEST(ShortLabelWriter, WritesTheShortLayoutAndReplacesAnOlderFile) {
    TempFolder folder;
    auto file = folder / "EditingLabel.slv";
    ASSERT_TRUE(replaceFile(file, Bytes(5000, 0xAA)));
    ::chmod(file.c_str(), 0640);

    std::vector<std::string> tracks{"A", ""};
    ASSERT_TRUE(writeShortLabelFile(file, "T", tracks));
    EXPECT_EQ(readFileBytes(file), (Bytes{0, 0, 0, 0, 1, 'T', 2, 0, 1, 'A', 0}));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.entries(), 1u);  // no temporary file left beside it
}

TEST(ShortLabelWriter, FailureLeavesNothingAndKeepsTheOldFile) {
    TempFolder folder;
    std::string why;
    EXPECT_FALSE(writeShortLabelFile(folder / "missing/EditingLabel.slv", "T", {}, &why));
    EXPECT_FALSE(why.empty());

    // The name is taken by a folder: the rename fails after the data was written.
    std::filesystem::create_directory(folder / "taken");
    std::filesystem::create_directory(folder / "taken/inside");
    EXPECT_FALSE(writeShortLabelFile(folder / "taken", "T", {}));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken/inside"));
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(ShortLabelWriter, AFullDiskMidWriteKeepsTheOldFile) {
    TempFolder folder;
    auto file = folder / "EditingLabel.slv";
    ASSERT_TRUE(writeShortLabelFile(file, "old", {}));

    // A file-size limit plays the full disk: the write stops part way.
    std::vector<std::string> tracks(400, std::string(200, 'n'));
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    bool written = writeShortLabelFile(file, "new", tracks);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readFileBytes(file), (Bytes{0, 0, 0, 0, 3, 'o', 'l', 'd', 0, 0}));
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(FileIo, ReadingReportsTheSystemsReason) {
    TempFolder folder;
    std::string why;
    EXPECT_FALSE(readFileBytes(folder / "none.slv", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(readFileBytes(folder.path(), &why));
    EXPECT_EQ(readFileBytes(folder.path() / "none.slv").has_value(), false);
    ASSERT_TRUE(replaceFile(folder / "empty", {}));
    EXPECT_EQ(readFileBytes(folder / "empty"), Bytes{});
    // A pipe with no writer would block a plain open and read forever.
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(readFileBytes(folder / "pipe", &why));
    EXPECT_EQ(why, "not a regular file");
    // A file far larger than any label file is refused before it is read.
    ASSERT_TRUE(replaceFile(folder / "huge", {}));
    std::filesystem::resize_file(folder / "huge", kMaxFileBytes + 1);
    EXPECT_FALSE(readFileBytes(folder / "huge"));
}

TEST(FileIo, ReplacingThroughALinkKeepsTheLink) {
    TempFolder folder;
    ASSERT_TRUE(replaceFile(folder / "real.slv", Bytes{1}));
    std::filesystem::create_symlink("real.slv", folder / "link.slv");
    ASSERT_TRUE(replaceFile(folder / "link.slv", Bytes{2}));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.slv"));
    EXPECT_EQ(readFileBytes(folder / "real.slv"), Bytes{2});
}

}  // namespace
}  // namespace tovik::label
