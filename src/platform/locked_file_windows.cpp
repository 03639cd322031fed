#include "platform/locked_file.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/error.h"
#include "platform/system_error_text_windows.h"
#include "platform/wide_text.h"

namespace lumenquill {
namespace {

FileOpenError::Cause CauseOf(DWORD error_code) {
  switch (error_code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return FileOpenError::Cause::kNotFound;
    case ERROR_ACCESS_DENIED:
      return FileOpenError::Cause::kNoPermission;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileOpenError::Cause::kLocked;
    default:
      return FileOpenError::Cause::kOther;
  }
}

[[noreturn]] void RaiseOpenError(const std::string& path, DWORD error_code,
                                 FileOpenError::Cause cause) {
  throw FileOpenError(path + "\n" + SystemErrorText(error_code), cause);
}

}  // namespace

// Shared for reading only: another program may read the file meanwhile, none may write it.
LockedFile LockedFile::OpenForReading(const std::string& path) {
  const std::wstring name = WindowsPath(path);
  // A folder opens only with backup semantics: without this check it would count as locked.
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    RaiseOpenError(path, ERROR_DIRECTORY, FileOpenError::Cause::kNotRegular);
  }
  const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error_code = ::GetLastError();
    RaiseOpenError(path, error_code, CauseOf(error_code));
  }
  LockedFile file(handle);
  // A device or a named pipe is no document.
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    RaiseOpenError(path, ERROR_BAD_FILE_TYPE, FileOpenError::Cause::kNotRegular);
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(handle, &size)) {
    RaiseOpenError(path, ::GetLastError(), FileOpenError::Cause::kOther);
  }
  if (size.QuadPart > kMaxReadableFileSize) {
    RaiseOpenError(path, ERROR_FILE_TOO_LARGE, FileOpenError::Cause::kTooLarge);
  }
  return file;
}

LockedFile::WriteLock LockedFile::ProbeWriteLock(const std::string& path) {
  const HANDLE handle = ::CreateFileW(WindowsPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return ::GetLastError() == ERROR_ACCESS_DENIED ? WriteLock::kNotPermitted
                                                   : WriteLock::kHeldElsewhere;
  }
  ::CloseHandle(handle);
  return WriteLock::kAvailable;
}

LockedFile::LockedFile(LockedFile&& other) noexcept : file_(std::exchange(other.file_, kNoFile)) {}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept {
  if (this != &other) {
    if (file_ != kNoFile) ::CloseHandle(file_);
    file_ = std::exchange(other.file_, kNoFile);
  }
  return *this;
}

LockedFile::~LockedFile() {
  if (file_ != kNoFile) ::CloseHandle(file_);
}

std::string LockedFile::ReadAll() const {
  LARGE_INTEGER size{};
  const size_t expected =
      ::GetFileSizeEx(file_, &size) && size.QuadPart > 0 ? static_cast<size_t>(size.QuadPart) : 0;
  // Read straight into the result; one byte of room beyond the expected size tells whether
  // the file grew meanwhile.
  std::string content(expected + 1, '\0');
  size_t filled = 0;
  LARGE_INTEGER start{};
  ::SetFilePointerEx(file_, start, nullptr, FILE_BEGIN);
  for (;;) {
    if (filled == content.size()) {
      if (filled > kMaxReadableFileSize) {
        throw FileOpenError(SystemErrorText(ERROR_FILE_TOO_LARGE), FileOpenError::Cause::kTooLarge);
      }
      content.resize(content.size() * 2);
    }
    DWORD count = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(content.size() - filled, 1u << 30));
    if (!::ReadFile(file_, content.data() + filled, wanted, &count, nullptr)) {
      const DWORD error_code = ::GetLastError();
      throw FileOpenError(SystemErrorText(error_code), CauseOf(error_code));
    }
    if (count == 0) break;
    filled += count;
  }
  content.resize(filled);
  return content;
}

}  // namespace lumenquill
