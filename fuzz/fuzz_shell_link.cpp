// The shortcut reader on a ".lnk" file holding the data.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/shell_link.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path =
      "/tmp/lumenquill-fuzz-link-" + std::to_string(::getpid()) + ".lnk";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  lumenquill::ResolveLink(path);
  std::remove(path.c_str());
  return 0;
}
