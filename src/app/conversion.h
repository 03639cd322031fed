#pragma once

#include <cstdint>
#include <string>

#include "app/user_interface.h"
#include "reader/pdf_analyst.h"

namespace lumenquill {

// The conversion of one PDF file into one text file with the user's settings, through the
// user interface of whoever started it. One per front end; a batch restarts its count.
class Conversion final {
 public:
  // A result is opened in the editor only while OpenCount is at most this.
  static constexpr int32_t MaxOpenWindows = 10;

  explicit Conversion(UserInterface& ui) : ui_(ui) {}

  // Every batch counts its loaded files from 0.
  void StartBatch() { OpenCount = 0; }

  // Loads, checks and converts one file. Raises nothing: its failures are reported (when the
  // warnings setting is on) or dropped, and the caller goes on with its next file.
  void ConvertFile(const std::string& file_name);

  // The second half of ConvertFile for a loaded document: options, page range, output path,
  // overwrite question, progress, extraction, editor. May raise what the extractor raises.
  void SaveAsText(TPDFAnalyst& analyst);

  // Files that loaded (and are not secured) in the current batch.
  int32_t OpenCount = 0;

 private:
  UserInterface& ui_;
};

}  // namespace lumenquill
