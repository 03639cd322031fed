#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/conversion.h"

namespace lumenquill {

// The exit statuses for scripts: every PDF file named or found was converted; some were not;
// the command line was not understood.
inline constexpr int kExitAllConverted = 0;
inline constexpr int kExitSomeNotConverted = 1;
inline constexpr int kExitUsageError = 2;

inline int BatchExitStatus(bool all_converted) {
  return all_converted ? kExitAllConverted : kExitSomeNotConverted;
}

// Applies the input rule of the command line to every argument ("-" is standard input, a named
// file may be a PDF file by its content; folders give their subfolders' PDF files too when
// recursive), appending the PDF files they give to the work list. An argument that gives no PDF
// file (missing, not a PDF, an unreadable shortcut, a folder without one) is named on the
// diagnostics stream, one line each. True when every argument was taken.
bool CollectWorkList(const std::vector<std::string>& arguments, bool recursive,
                     std::vector<std::string>& work_list, std::ostream& diagnostics);

// Converts the PDF files that the arguments name (recursively when the conversion's options
// say so), one after the other, with the caption
// " (i/n) - name" on the progress display for each; returns when all are done. The arguments
// that give no PDF file are named as CollectWorkList does. True when every argument was taken and
// every PDF file found was converted.
bool RunBatch(const std::vector<std::string>& arguments, Conversion& conversion,
              ProgressDisplay& progress, std::ostream& diagnostics);

// Converts each entry of a work list with convert_file, as one batch: the conversion's count
// of loaded files starts again at 0, the progress caption counts the entries, and the warnings
// gathered for the end of the batch come after the last entry. True when convert_file succeeded
// for every entry.
bool ConvertWorkList(const std::vector<std::string>& work_list, Conversion& conversion,
                     ProgressDisplay& progress,
                     const std::function<bool(const std::string&)>& convert_file);

// The progress caption of entry i (from 1) of n.
std::string BatchCaption(size_t i, size_t n, const std::string& path);

}  // namespace lumenquill
