#include "platform/output_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "platform/error.h"
#include "platform/file_attributes.h"
#include "platform/interruption.h"
#include "platform/output_reasons.h"
#include "platform/path_text.h"
#include "platform/system_error_text_windows.h"
#include "platform/temporary_name.h"
#include "platform/wide_text.h"

namespace lumenquill {
namespace {

// Output is written to the file in pieces of about this size.
constexpr size_t kFlushSize = size_t{1} << 16;

std::string WriteFailureReason(DWORD error_code) {
  switch (error_code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "ディスクの空き容量が不足しているため、テキストファイルを保存できませんでした。";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
      return kNoWritePermissionReason;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_NAME:
      return "保存先のフォルダが見つからないため、テキストファイルを保存できませんでした。";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return kFileInUseReason;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return kAppearedMeanwhileReason;
    default:
      return "テキストファイルを保存できませんでした。(" + SystemErrorText(error_code) + ")";
  }
}

// A new hidden file beside the target, named after it and no longer than its name; the handle
// shares deletion, so that an interruption can remove the file while it is open.
HANDLE CreateTemporaryFile(const std::string& target, std::string& temporary) {
  const size_t slash = LastPathSeparator(target);
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string pattern =
      folder +
      HiddenTemporaryName(std::string_view(target).substr(folder.size()), NameUnits::kUtf16);
  std::random_device entropy;
  for (int attempt = 0;; ++attempt) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "%06x", entropy() & 0xFFFFFF);
    temporary = pattern.substr(0, pattern.size() - 6) + suffix;
    const HANDLE handle =
        ::CreateFileW(WindowsPath(temporary).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS || attempt == 99) {
      return handle;
    }
  }
}

}  // namespace

OutputFile::OutputFile(const std::string& path, ExistingFile existing)
    : path_(path), target_(path), existing_(existing) {
  // Only a file is replaced: a folder in the target's place would be destroyed.
  if (FileExists(target_) && !IsRegularFile(target_)) {
    throw OutputError(path_, kNotRegularFileReason);
  }
  InterruptionsHeld held;
  const HANDLE handle = CreateTemporaryFile(target_, temporary_);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error_code = ::GetLastError();
    temporary_.clear();
    Fail(error_code);
  }
  file_ = handle;
  RegisterTemporaryFile(temporary_.c_str());
}

OutputFile::~OutputFile() { Discard(); }

void OutputFile::Discard() {
  if (file_ != kNoFile) ::CloseHandle(file_);
  file_ = kNoFile;
  if (temporary_.empty()) return;
  InterruptionsHeld held;
  ::DeleteFileW(WindowsPath(temporary_).c_str());
  RegisterTemporaryFile(nullptr);
  temporary_.clear();
}

void OutputFile::Fail(ErrorCode error) {
  Discard();
  throw OutputError(path_, WriteFailureReason(error));
}

void OutputFile::Write(std::string_view bytes) {
  if (file_ == kNoFile) Fail(ERROR_INVALID_HANDLE);
  pending_.append(bytes);
  if (pending_.size() >= kFlushSize) Flush();
}

void OutputFile::Flush() {
  size_t written = 0;
  while (written < pending_.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(pending_.size() - written, 1u << 30));
    DWORD count = 0;
    if (!::WriteFile(file_, pending_.data() + written, wanted, &count, nullptr)) {
      Fail(::GetLastError());
    }
    written += count;
  }
  pending_.clear();
}

void OutputFile::Commit() {
  if (file_ == kNoFile) Fail(ERROR_INVALID_HANDLE);
  Flush();
  const HANDLE file = file_;
  file_ = kNoFile;
  if (!::CloseHandle(file)) Fail(::GetLastError());
  InterruptionsHeld held;
  const std::wstring temporary = WindowsPath(temporary_);
  // The text file is an ordinary one: the temporary file's hidden mark goes before the move.
  ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
  // Without MOVEFILE_REPLACE_EXISTING the move fails when a file of the target's name exists.
  const DWORD replacing = existing_ == ExistingFile::kReplace ? MOVEFILE_REPLACE_EXISTING : 0;
  if (!::MoveFileExW(temporary.c_str(), WindowsPath(target_).c_str(),
                     replacing | MOVEFILE_WRITE_THROUGH)) {
    Fail(::GetLastError());
  }
  RegisterTemporaryFile(nullptr);
  temporary_.clear();
}

}  // namespace lumenquill
