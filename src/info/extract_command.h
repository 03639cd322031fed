#pragma once

#include <string>
#include <vector>

namespace lumenquill {

// lumenquill-info --extract OUT.txt [--first N] [--last M] [--no-banner] [--eol crlf|lf|cr]
//                 [--no-breaks] [--encoding NAME] [--fold-compatibility] [--layout]
//                 [--ruby NAME] FILE
// Runs the text extraction with those settings (by default the extractor's own, all pages;
// pages past the end as lumenquill reads them), with progress on standard error when it is a
// terminal, and a line on standard error when the encoding replaced characters (the exit status
// stays). Returns the exit status: 0 done,
// 1 when the file fails to open or the extraction raises (its message on standard error),
// 2 for wrong arguments. With newer_formats the reader also opens newer files.
int RunExtractCommand(const std::vector<std::string>& args, bool newer_formats);

}  // namespace lumenquill
