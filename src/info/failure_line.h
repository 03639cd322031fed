#pragma once

#include <string>

#include "platform/error.h"
#include "reader/document.h"

namespace lumenquill {

// Tells on standard error why a file failed, in lumenquill's words and manner:
// "lumenquill-info: path: message", on one line.
void ReportFailure(const std::string& path, const std::string& message);

// The same for an error of loading or reading a file: a file that could not be opened gets the
// reason lumenquill gives, another failure the message of the failing check, followed by the
// hint that names --newer-formats when the open refused the file, or the opened document stays
// secured, for a reason that option lifts. document is the opened document, nullptr when the
// open failed.
void ReportFailure(const std::string& path, const Error& error, const Document* document);

}  // namespace lumenquill
