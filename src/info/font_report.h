#pragma once

#include <ostream>

#include "reader/document.h"

namespace lumenquill {

// Writes, for each page in order, what the stream and font decoders see:
//
//   page <number> <object>
//     contents <object>...
//     font <name> obj=<n> Subtype=<s> FontName="<text>" Encoding=<label> Embedded=yes|no
//          FontFileObject=<n> Failed=yes|no CMapData=<bytes>
//          CIDSystemInfo=<registry>-<ordering>|- [ToUnicodeCodes=<n>] via=<conversion>
//          (one line)
//     form <name> obj=<n>
//       font ...
//
// A font name that is not valid Shift-JIS is shown in hexadecimal as FontName=<8140...>. The
// conversion is the one the text extraction uses for the font's strings (see ConversionName);
// ToUnicodeCodes, given for a font with a /ToUnicode program, counts the codes it maps.
void WriteFontReport(Document& document, std::ostream& out);

}  // namespace lumenquill
