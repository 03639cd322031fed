#include "platform/output_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/error.h"
#include "support/failing_disk.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kOld = "old and longer content";

class OutputFileTest : public ::testing::Test {
 protected:
  // Writes the pieces and commits; the error's reason, or "" when all went well.
  std::string WriteAndCommit(const std::string& path, const std::vector<size_t>& pieces,
                             ExistingFile existing = ExistingFile::kReplace) {
    try {
      OutputFile output(path, existing);
      for (const size_t size : pieces) output.Write(std::string(size, 'x'));
      output.Commit();
      return "";
    } catch (const OutputError& error) {
      EXPECT_EQ(error.path(), path);
      return error.what();
    }
  }

  testing::TempFile old_{kOld, "out.txt"};
};

TEST_F(OutputFileTest, ReplacesTheFileOnlyWhenCommitted) {
  ::chmod(old_.path().c_str(), 0640);
  {
    OutputFile output(old_.path(), ExistingFile::kReplace);
    output.Write(std::string(200'000, 'y'));  // written out, then dropped
  }
  EXPECT_EQ(testing::ReadWholeFile(old_.path()), kOld);
  EXPECT_THAT(testing::NamesBeside(old_.path()), ElementsAre("out.txt"));

  EXPECT_EQ(WriteAndCommit(old_.path(), {4, 200'000}), "");
  EXPECT_EQ(testing::ReadWholeFile(old_.path()), std::string(200'004, 'x'));
  EXPECT_THAT(testing::NamesBeside(old_.path()), ElementsAre("out.txt"));
  struct stat info {};
  ::stat(old_.path().c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);  // a replaced file keeps its permissions
}

// The disk fails at the first write, at a later one, and at the flush of Commit.
TEST_F(OutputFileTest, AFailedWriteLeavesThePreviousFile) {
  for (const auto& [limit, pieces] : std::vector<std::pair<rlim_t, std::vector<size_t>>>{
           {0, {100'000}}, {100'000, {70'000, 70'000}}, {1'000, {600, 600}}}) {
    SCOPED_TRACE(limit);
    {
      testing::FileSizeLimit disk(limit);
      EXPECT_THAT(WriteAndCommit(old_.path(), pieces), HasSubstr("保存できませんでした"));
    }
    EXPECT_EQ(testing::ReadWholeFile(old_.path()), kOld);
    EXPECT_THAT(testing::NamesBeside(old_.path()), ElementsAre("out.txt"));
  }
}

TEST_F(OutputFileTest, AFolderThatCannotBeWrittenIsReported) {
  const std::string folder = std::filesystem::path(old_.path()).parent_path() / "locked";
  std::filesystem::create_directory(folder);
  {
    testing::ReadOnlyFolder read_only(folder);
    if (!read_only.ok()) GTEST_SKIP() << "no read-only folder here";
    EXPECT_THAT(WriteAndCommit(folder + "/new.txt", {10}), HasSubstr("保存できませんでした"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/new.txt"));
  }
  EXPECT_EQ(WriteAndCommit(old_.path() + ".missing/new.txt", {10}),
            "保存先のフォルダが見つからないため、テキストファイルを保存できませんでした。");
}

// A device, a FIFO or a folder is never replaced; a link has the file it names replaced.
TEST_F(OutputFileTest, OnlyRegularFilesAreReplaced) {
  const std::string fifo = old_.path() + ".fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_THAT(WriteAndCommit(fifo, {10}), HasSubstr("通常のファイルではない"));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_THAT(WriteAndCommit("/dev/null", {10}), HasSubstr("通常のファイルではない"));

  const std::string link = old_.path() + ".link";
  std::filesystem::create_symlink(old_.path(), link);
  EXPECT_EQ(WriteAndCommit(link, {3}), "");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(testing::ReadWholeFile(old_.path()), "xxx");
}

// Two writers of one name, neither allowed to replace a file: the first to commit wins, the
// second is refused with the reason and leaves nothing; a writer allowed to replace replaces.
TEST_F(OutputFileTest, WithoutLeaveToReplaceAFileThatAppearedIsKept) {
  const std::string target = old_.path() + ".new";
  OutputFile first(target, ExistingFile::kKeep);
  OutputFile second(target, ExistingFile::kKeep);
  first.Write("first");
  second.Write("second");
  first.Commit();
  try {
    second.Commit();
    ADD_FAILURE() << "the second text replaced the first";
  } catch (const OutputError& error) {
    EXPECT_STREQ(error.what(),
                 "変換の間に同じ名前のファイルが作られたため、上書きしませんでした。");
  }
  EXPECT_EQ(testing::ReadWholeFile(target), "first");
  EXPECT_EQ(WriteAndCommit(target, {3}), "");
  EXPECT_EQ(testing::ReadWholeFile(target), "xxx");
  EXPECT_THAT(testing::NamesBeside(target), ElementsAre("out.txt", "out.txt.new"));
}

// The longest name the file system takes is written and replaced; a process killed while
// writing (kill -9, as a power cut) leaves no temporary file.
TEST_F(OutputFileTest, LongNamesAndKilledWritersLeaveNothingBehind) {
  const std::string folder = std::filesystem::path(old_.path()).parent_path();
  const std::string longest = folder + "/" + std::string(251, 'n') + ".txt";
  EXPECT_EQ(WriteAndCommit(longest, {5}, ExistingFile::kKeep), "");
  EXPECT_EQ(WriteAndCommit(longest, {7}), "");
  EXPECT_EQ(testing::ReadWholeFile(longest), "xxxxxxx");
  std::filesystem::remove(longest);

  EXPECT_EXIT(
      {
        OutputFile output(old_.path(), ExistingFile::kReplace);
        output.Write(std::string(300'000, 'x'));
        ::kill(::getpid(), SIGKILL);
      },
      ::testing::KilledBySignal(SIGKILL), "");
  EXPECT_EQ(testing::ReadWholeFile(old_.path()), kOld);
  EXPECT_THAT(testing::NamesBeside(old_.path()), ElementsAre("out.txt"));
}

// In a world-writable sticky folder (/tmp) a link is followed only when it belongs to the
// folder's owner or to this user; another user's link is refused and the file it names is left
// alone. Elsewhere anyone's link is followed.
TEST_F(OutputFileTest, LinksOfOtherUsersInASharedFolderAreNotFollowed) {
  const std::string folder = std::filesystem::path(old_.path()).parent_path();
  const std::string shared = folder + "/shared";
  std::filesystem::create_directory(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  const uid_t other_user = ::geteuid() + 1000;
  for (const std::string& link : {shared + "/other.txt", shared + "/mine.txt", folder + "/a.txt"}) {
    std::filesystem::create_symlink(old_.path(), link);
    if (link != shared + "/mine.txt" && ::lchown(link.c_str(), other_user, other_user) != 0) {
      GTEST_SKIP() << "only root can give a link to another user";
    }
  }
  EXPECT_EQ(WriteAndCommit(shared + "/other.txt", {1}),
            "共有フォルダにある他のユーザーのシンボリックリンクのため、"
            "テキストファイルを保存しませんでした。");
  EXPECT_EQ(testing::ReadWholeFile(old_.path()), kOld);
  EXPECT_EQ(WriteAndCommit(shared + "/mine.txt", {2}), "");
  EXPECT_EQ(testing::ReadWholeFile(old_.path()), "xx");
  EXPECT_EQ(WriteAndCommit(folder + "/a.txt", {3}), "");
  EXPECT_EQ(testing::ReadWholeFile(old_.path()), "xxx");
  EXPECT_TRUE(std::filesystem::is_symlink(folder + "/a.txt"));
}

}  // namespace
}  // namespace lumenquill
