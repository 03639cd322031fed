#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "content/font_resource.h"
#include "platform/output_file.h"
#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"

namespace lumenquill {

class FontCache;

// The progress callback: Min, Max, Position, Done.
using TProgressProc = std::function<void(int32_t, int32_t, int32_t, bool)>;

// Turns an opened document into one Shift-JIS text file, page by page.
class TPDFTextDecoder final {
 public:
  // Raises "nilは代入できません。" for no reader, "対応できない形式です。" for an encrypted
  // document or one whose loading failed.
  explicit TPDFTextDecoder(TPDFAnalyst* analyst);

  // Writes the text of pages first_page to last_page (1-based, inclusive) to file_name, whole
  // or not at all: the file is put in place only when the extraction finished, replacing a file
  // of that name then or keeping it, as existing says (see OutputFile). Raises OutputError with
  // the reason when the file may not be written (not a regular file, read-only, no permission,
  // or "このファイルは使用中です。別名で保存してください。" when another process holds it) or
  // when writing it fails; "ページ番号の指定が不正です。" for a range outside the document, and
  // the reading errors of the document. Stops after a page or a form when cancel has been set
  // (by the progress callback or ProcessPendingInput) or Escape was pressed: then cancel is true.
  // In every case but success the file is left as it was.
  void ExtractToFile(const std::string& file_name, int32_t first_page, int32_t last_page,
                     const TProgressProc& progress, bool& cancel, ExistingFile existing);

  // The same extraction kept in memory: the text of the pages, or nothing when cancelled (then
  // cancel is true). Raises what ExtractToFile raises about the document.
  std::optional<std::string> ExtractToString(int32_t first_page, int32_t last_page,
                                             const TProgressProc& progress, bool& cancel);

  // The extraction itself, handing the text to write as it is produced: the page checks, and
  // per page the banner, the forms and the page's content (up to kMaxContentPerPage bytes of
  // them), the progress report and the cancel test (also after each form). Returns false when
  // cancelled.
  bool ExtractPages(int32_t first_page, int32_t last_page, const TProgressProc& progress,
                    const bool& cancel, const std::function<void(std::string_view)>& write);

  // Interprets one decoded content buffer, from its position up to "endobj" or its end,
  // appending the text of its strings to output with the fonts given. Returns the number of
  // bytes appended. Raises nothing.
  int64_t DecodeContent(MemoryStream& content, std::string& output, FontList& fonts) const;

  bool PageSeparator = true;
  // The least coordinate difference that makes a new line; a text-positioning move of this
  // size is about a third of a line of 12-point text, well above rounding noise.
  int32_t LineThreshold = 5;
  std::string NewLineCode = "\r\n";
  // 0: no line breaks from text positioning; 1: by the writing direction of the font.
  uint8_t LineBreakMode = 1;
  // Called after each form, so that input waiting for the front end (a cancel click, Escape)
  // is seen within a long page and not only at the progress report after it.
  std::function<void()> ProcessPendingInput;

 private:
  // ExtractPages followed, however it ends, by the progress report that says it is done.
  bool ExtractWithFinalReport(int32_t first_page, int32_t last_page, const TProgressProc& progress,
                              const bool& cancel,
                              const std::function<void(std::string_view)>& write);
  int64_t Interpret(MemoryStream& content, std::string& output, FontList& fonts,
                    FontCache* cache) const;

  TPDFAnalyst& analyst_;
};

}  // namespace lumenquill
