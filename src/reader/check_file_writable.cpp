#include "reader/check_file_writable.h"

#include "platform/file_attributes.h"
#include "platform/locked_file.h"
#include "platform/output_reasons.h"
#include "reader/reader_errors.h"

namespace lumenquill {

void CheckFileWritable(const std::string& file_name) {
  using Cause = FileCreateError::Cause;
  if (!FileExists(file_name)) return;
  if (!IsRegularFile(file_name)) {
    throw FileCreateError(file_name + "\n" + kNotRegularFileReason, Cause::kNotRegular);
  }
  if (IsReadOnlyFile(file_name)) {
    throw FileCreateError(file_name + "\n" + kReadOnlyFileReason, Cause::kReadOnly);
  }
  switch (LockedFile::ProbeWriteLock(file_name)) {
    case LockedFile::WriteLock::kAvailable:
      return;
    case LockedFile::WriteLock::kNotPermitted:
      throw FileCreateError(file_name + "\n" + kNoWritePermissionReason, Cause::kNoPermission);
    case LockedFile::WriteLock::kHeldElsewhere:
      throw FileCreateError(
          file_name + "\n" + "指定されたファイルは他のプロセスによって上書きが禁止されています。",
          Cause::kInUse);
  }
}

}  // namespace lumenquill
