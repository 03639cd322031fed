// Reading a CMap program and converting bytes through it: the data is the program; its first
// 64 bytes are also converted as a string, by the map's code lengths and one byte per code.

#include <cstddef>
#include <cstdint>
#include <string>

#include "codes/cmap_reader.h"
#include "reader/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string program(reinterpret_cast<const char*>(data), size);
  lumenquill::CMapReader reader;
  lumenquill::MemoryStream stream(program);
  reader.ReadCMap(stream);
  std::string text;
  lumenquill::ConvertByCMap(&reader, program.substr(0, 64), text);
  lumenquill::ConvertByCMap(&reader, program.substr(0, 64), text, lumenquill::CodeBytes::kOneEach);
  return 0;
}
