// The INI reader and writer on a settings file holding the data.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/lumenquill-fuzz-ini-" + std::to_string(::getpid());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  lumenquill::FindProfileValue(path, "GroupBox2", "ComboBox1");
  lumenquill::ReadProfileString(path, "frmMain", "height", "");
  lumenquill::WriteProfileValue(path, "GroupBox1", "CheckBox1", "1");
  lumenquill::FindProfileValue(path, "groupbox1", "checkbox1");
  std::remove(path.c_str());
  return 0;
}
