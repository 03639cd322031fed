#pragma once

#include <string>

#include "reader/byte_classes.h"
#include "reader/byte_stream.h"

namespace lumenquill {

// The lexical layer of every reader in the program. Only LF, CR and space are white space; the
// delimiters are those three and % ( ) / < > [ ]. A token is never empty; "<<" arrives as two
// tokens "<", "<"; a name keeps its slash; "(" leaves the string body to SkipLiteralString
// (reader/pdf_strings.h). All raise ReadError at the end of the stream.

// Moves past LF, CR and space; the position ends on the first other byte.
void SkipWhiteSpace(ByteStream& stream);

// Consumes bytes up to and including the first CR or LF (only the CR of a CR LF pair).
void SkipLine(ByteStream& stream);

// Reads the next token into token.
void ReadToken(ByteStream& stream, std::string& token);

// Reads the next token that is not a literal string or a comment, passing over those.
void ReadTokenPastStringsAndComments(ByteStream& stream, std::string& token);

// Moves past one value: a dictionary or an array with everything nested in it, a literal or
// hexadecimal string, or a single token; comments before it are passed over. An "endobj" met
// first ends the skip before it, so a damaged value never takes the objects after it with it,
// and a ">" or "]" met where the value should start is left for the caller, whose dictionary
// or array it closes.
void SkipValue(ByteStream& stream);

// From the start of "n g obj", moves to the first token of the object's body, dropping one
// comment line that follows the keyword.
void SkipObjectHeader(ByteStream& stream);

}  // namespace lumenquill
