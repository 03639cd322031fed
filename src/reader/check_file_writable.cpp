#include "reader/check_file_writable.h"

#include "platform/file_attributes.h"
#include "platform/locked_file.h"
#include "reader/reader_errors.h"

namespace lumenquill {

void CheckFileWritable(const std::string& file_name) {
  if (!FileExists(file_name)) return;
  if (IsReadOnlyFile(file_name)) {
    throw FileCreateError(file_name + "\n" +
                          "指定されたファイルは読み込み専用です。上書き出来ません。");
  }
  if (!LockedFile::CanLockForWriting(file_name)) {
    throw FileCreateError(file_name + "\n" +
                          "指定されたファイルは他のプロセスによって上書きが禁止されています。");
  }
}

}  // namespace lumenquill
