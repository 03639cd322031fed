// The services as Windows itself provides them: wide names, share modes, attributes, the profile
// functions, the user's settings folder, long paths.

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/error.h"
#include "platform/file_attributes.h"
#include "platform/folder_listing.h"
#include "platform/ini_file.h"
#include "platform/locked_file.h"
#include "platform/output_file.h"
#include "platform/settings_location.h"
#include "platform/wide_text.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;

// A folder of its own for one test, "\"-separated as Windows gives paths.
class WindowsFolder {
 public:
  std::string operator/(const std::string& name) const { return folder_ + "\\" + name; }
  const std::string& path() const { return folder_; }

 private:
  testing::TempFile anchor_{"", "anchor"};
  std::string folder_ = anchor_.path().substr(0, anchor_.path().find_last_of("/\\"));
};

HANDLE OpenShared(const std::string& path, DWORD access, DWORD share) {
  return ::CreateFileW(Widen(path).c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  OutputFile file(path, ExistingFile::kReplace);
  file.Write(bytes);
  file.Commit();
}

// Names outside code page 932 (a Latin accent, simplified Chinese, an emoji beyond the BMP) and
// within it (a circled digit) all work through every service.
TEST(WideNames, EveryServiceTakesAnyName) {
  WindowsFolder folder;
  for (const std::string name : {"résumé.pdf", "简体.pdf", "ファイル①.pdf", "😀.pdf"}) {
    const std::string path = folder / name;
    WriteWholeFile(path, "%PDF-1.4 " + name);
    EXPECT_TRUE(FileExists(path)) << name;
    EXPECT_EQ(LockedFile::OpenForReading(path).ReadAll(), "%PDF-1.4 " + name);
  }
  std::vector<std::string> names;
  for (const FolderEntry& entry : ListFolder(folder.path())) names.push_back(entry.name);
  EXPECT_THAT(names, ElementsAre("anchor", "résumé.pdf", "ファイル①.pdf", "简体.pdf", "😀.pdf"));
}

// Reading denies other writers: a file open for writing elsewhere cannot be read, and while it
// is read no one may open it for writing.
TEST(ShareModes, ReadingDeniesWriters) {
  WindowsFolder folder;
  const std::string path = folder / "a.pdf";
  WriteWholeFile(path, "content");

  const HANDLE writer = OpenShared(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  try {
    LockedFile::OpenForReading(path);
    ADD_FAILURE() << "opened a file that another program writes";
  } catch (const FileOpenError& error) {
    EXPECT_EQ(error.cause(), FileOpenError::Cause::kLocked);
  }
  EXPECT_EQ(LockedFile::ProbeWriteLock(path), LockedFile::WriteLock::kHeldElsewhere);
  ::CloseHandle(writer);

  {
    const LockedFile reading = LockedFile::OpenForReading(path);
    EXPECT_EQ(LockedFile::ProbeWriteLock(path), LockedFile::WriteLock::kHeldElsewhere);
    EXPECT_EQ(OpenShared(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE),
              INVALID_HANDLE_VALUE);
    // Other readers are welcome.
    const HANDLE reader = OpenShared(path, GENERIC_READ, FILE_SHARE_READ);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    ::CloseHandle(reader);
  }
  EXPECT_EQ(LockedFile::ProbeWriteLock(path), LockedFile::WriteLock::kAvailable);
}

TEST(Attributes, ReadOnlyHiddenAndSystemAsWindowsKeepsThem) {
  WindowsFolder folder;
  for (const char* name : {"hidden.pdf", "plain.pdf", "read-only.pdf", "system.pdf"}) {
    WriteWholeFile(folder / name, "x");
  }
  ::SetFileAttributesW(Widen(folder / "hidden.pdf").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ::SetFileAttributesW(Widen(folder / "system.pdf").c_str(), FILE_ATTRIBUTE_SYSTEM);
  ::SetFileAttributesW(Widen(folder / "read-only.pdf").c_str(), FILE_ATTRIBUTE_READONLY);

  EXPECT_TRUE(IsReadOnlyFile(folder / "read-only.pdf"));
  EXPECT_FALSE(IsReadOnlyFile(folder / "plain.pdf"));
  std::vector<std::string> hidden;
  for (const FolderEntry& entry : ListFolder(folder.path())) {
    if (entry.is_hidden) hidden.push_back(entry.name);
  }
  EXPECT_THAT(hidden, ElementsAre("hidden.pdf", "system.pdf"));
  ::SetFileAttributesW(Widen(folder / "read-only.pdf").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The text file is written whole beside its target and put in place as an ordinary file; an
// uncommitted one leaves the old file and nothing else.
TEST(OutputFiles, ReplaceWholeOrLeaveTheOldFile) {
  WindowsFolder folder;
  const std::string path = folder / "a.txt";
  WriteWholeFile(path, "old");
  {
    OutputFile abandoned(path, ExistingFile::kReplace);
    abandoned.Write("new but unfinished");
  }
  EXPECT_EQ(testing::ReadWholeFile(path), "old");
  WriteWholeFile(path, "new");
  EXPECT_EQ(testing::ReadWholeFile(path), "new");
  EXPECT_EQ(::GetFileAttributesW(Widen(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_THAT(testing::NamesBeside(path), ElementsAre("a.txt", "anchor"));

  // A file that another program holds without sharing cannot be replaced: the reason is told.
  const HANDLE holder = OpenShared(path, GENERIC_READ, 0);
  try {
    WriteWholeFile(path, "newer");
    ADD_FAILURE() << "replaced a file in use";
  } catch (const OutputError& error) {
    EXPECT_FALSE(std::string(error.what()).empty());
  }
  ::CloseHandle(holder);
  EXPECT_EQ(testing::ReadWholeFile(path), "new");
  EXPECT_THAT(testing::NamesBeside(path), ElementsAre("a.txt", "anchor"));
}

// Two writers of a name that was free, neither allowed to replace: the second is refused and
// the first text stays. A name of 255 characters (the longest NTFS takes) is written and
// replaced.
TEST(OutputFiles, KeepAFileThatAppearedAndTakeTheLongestName) {
  WindowsFolder folder;
  const std::string path = folder / "a.txt";
  OutputFile first(path, ExistingFile::kKeep);
  OutputFile second(path, ExistingFile::kKeep);
  first.Write("first");
  second.Write("second");
  first.Commit();
  EXPECT_THROW(second.Commit(), OutputError);
  EXPECT_EQ(testing::ReadWholeFile(path), "first");

  // In ASCII, so that Wine's Linux file system (255 bytes) takes it too.
  const std::string longest = std::string(251, 'n') + ".txt";
  WriteWholeFile(folder / longest, "long");
  WriteWholeFile(folder / longest, "longer");
  EXPECT_EQ(LockedFile::OpenForReading(folder / longest).ReadAll(), "longer");
  std::vector<std::string> names;
  for (const FolderEntry& entry : ListFolder(folder.path())) names.push_back(entry.name);
  EXPECT_THAT(names, ElementsAre("a.txt", "anchor", longest));
}

// Past MAX_PATH (260 characters) every service still works.
TEST(LongPaths, WorkPastTheOldLimit) {
  WindowsFolder folder;
  std::string deep = folder.path();
  while (deep.size() < 300) {
    deep += "\\" + std::string(40, 'd');
    ASSERT_TRUE(::CreateDirectoryW(WindowsPath(deep).c_str(), nullptr)) << deep.size();
  }
  const std::string path = deep + "\\長い名前.pdf";
  WriteWholeFile(path, "deep");
  EXPECT_TRUE(FileExists(path));
  EXPECT_TRUE(IsFolder(deep));
  EXPECT_EQ(LockedFile::OpenForReading(path).ReadAll(), "deep");
  ASSERT_EQ(ListFolder(deep).size(), 1u);
}

TEST(ProfileFunctions, WriteAndReadThroughWindows) {
  WindowsFolder folder;
  const std::string ini = folder / "lumenquill.ini";
  EXPECT_EQ(FindProfileValue(ini, "GroupBox2", "ComboBox1"), std::nullopt);
  WriteProfileValue(ini, "GroupBox2", "ComboBox1", "2");
  WriteProfileValue(ini, "frmMain", "Left", "-40");
  EXPECT_EQ(ReadProfileString(ini, "groupbox2", "COMBOBOX1", ""), "2");
  EXPECT_EQ(ReadProfileString(ini, "frmMain", "Left", ""), "-40");
  EXPECT_EQ(ReadProfileString(ini, "frmMain", "Top", "none"), "none");
  // The file stays plain text, as every editor and the Linux program read it.
  EXPECT_EQ(testing::ReadWholeFile(ini), "[GroupBox2]\r\nComboBox1=2\r\n[frmMain]\r\nLeft=-40\r\n");
}

// A program whose folder may not be written (installed under Program Files) keeps its settings
// in the user's roaming application data.
TEST(SettingsLocation, InTheUsersApplicationDataWhenTheFolderMayNotBeWritten) {
  WindowsFolder folder;
  const std::string program = folder / "lumenquill.exe";
  EXPECT_EQ(SettingsFilePathFor(program, true), folder / "lumenquill.ini");
  const std::string chosen = SettingsFilePathFor(program, false);
  EXPECT_EQ(chosen, UserSettingsFolder() + "\\lumenquill.ini");
  EXPECT_THAT(UserSettingsFolder(), ::testing::EndsWith("\\AppData\\Roaming\\Lumenquill"));
  EXPECT_TRUE(FolderMayBeWritten(folder.path()));
  EXPECT_FALSE(FolderMayBeWritten(folder / "missing"));
}

}  // namespace
}  // namespace lumenquill
