#pragma once

#include <string>

#include "platform/error.h"
#include "reader/pdf_analyst.h"

namespace lumenquill {

// Tells on standard error why a file failed, in lumenquill's words and manner:
// "lumenquill-info: path: message", on one line.
void ReportFailure(const std::string& path, const std::string& message);

// The same for an error of loading or reading a file: a file that could not be opened gets the
// reason lumenquill gives, another failure the message of the failing check, followed by the
// hint that names --newer-formats when the reader refused or secured the file for a reason
// that option lifts.
void ReportFailure(const std::string& path, const Error& error, bool needs_newer_formats);
void ReportFailure(const std::string& path, const Error& error, const TPDFAnalyst& reader);

}  // namespace lumenquill
