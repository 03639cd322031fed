#include "text/pdf_text_decoder.h"

#include "content/decoder_reader.h"
#include "content/font_decoder.h"
#include "content/page_resource_reader.h"
#include "reader/decoded_bytes.h"
#include "platform/escape_key.h"
#include "platform/mul_div.h"
#include "platform/output_file.h"
#include "platform/output_reasons.h"
#include "reader/check_file_writable.h"
#include "reader/reader_errors.h"
#include "text/content_interpreter.h"
#include "text/font_cache.h"
#include "text/page_streams.h"

namespace lumenquill {
namespace {

constexpr const char* kBannerRule =
    "----------------------------------------------------------------------";

// The banner before page n: the first page of the range starts with one line break, every
// later one with two.
std::string PageBanner(int32_t page, bool first, const std::string& new_line) {
  std::string banner = first ? new_line : new_line + new_line;
  banner += kBannerRule;
  banner += " Page " + std::to_string(page);
  banner += new_line + new_line;
  return banner;
}

// Why an output file was refused before anything was written.
const char* RefusalReason(FileCreateError::Cause cause) {
  switch (cause) {
    case FileCreateError::Cause::kNotRegular:
      return kNotRegularFileReason;
    case FileCreateError::Cause::kReadOnly:
      return kReadOnlyFileReason;
    case FileCreateError::Cause::kNoPermission:
      return kNoWritePermissionReason;
    case FileCreateError::Cause::kInUse:
      break;
  }
  return kFileInUseReason;
}

// Escape pressed since the last look, or cancel set.
bool StopAsked(const bool& cancel) { return TakeEscapeKeyPress() || cancel; }

}  // namespace

TPDFTextDecoder::TPDFTextDecoder(TPDFAnalyst* analyst) : analyst_(CheckDecoderReader(analyst)) {}

int64_t TPDFTextDecoder::DecodeContent(MemoryStream& content, std::string& output,
                                       FontList& fonts) const {
  return Interpret(content, output, fonts, nullptr);
}

int64_t TPDFTextDecoder::Interpret(MemoryStream& content, std::string& output, FontList& fonts,
                                   FontCache* cache) const {
  const size_t before = output.size();
  const InterpreterOptions options{LineThreshold, NewLineCode, LineBreakMode};
  ContentInterpreter interpreter(options, fonts, cache);
  interpreter.Run(content, output);
  return static_cast<int64_t>(output.size() - before);
}

void TPDFTextDecoder::ExtractToFile(const std::string& file_name, int32_t first_page,
                                    int32_t last_page, const TProgressProc& progress, bool& cancel,
                                    ExistingFile existing) {
  try {
    CheckFileWritable(file_name);
  } catch (const FileCreateError& error) {
    throw OutputError(file_name, RefusalReason(error.cause()));
  }

  OutputFile file(file_name, existing);
  if (ExtractWithFinalReport(first_page, last_page, progress, cancel,
                             [&file](std::string_view text) { file.Write(text); })) {
    file.Commit();
  } else {
    cancel = true;  // the file is dropped unwritten: the target stays as it was
  }
}

std::optional<std::string> TPDFTextDecoder::ExtractToString(int32_t first_page, int32_t last_page,
                                                            const TProgressProc& progress,
                                                            bool& cancel) {
  std::string text;
  if (!ExtractWithFinalReport(first_page, last_page, progress, cancel,
                              [&text](std::string_view part) { text += part; })) {
    cancel = true;
    return std::nullopt;
  }
  return text;
}

bool TPDFTextDecoder::ExtractWithFinalReport(int32_t first_page, int32_t last_page,
                                             const TProgressProc& progress, const bool& cancel,
                                             const std::function<void(std::string_view)>& write) {
  // Runs on every way out: the final progress call.
  struct Finish {
    const TProgressProc& progress;
    ~Finish() {
      if (progress) progress(0, 100, 100, true);
    }
  } finish{progress};
  return ExtractPages(first_page, last_page, progress, cancel, write);
}

bool TPDFTextDecoder::ExtractPages(int32_t first_page, int32_t last_page,
                                   const TProgressProc& progress, const bool& cancel,
                                   const std::function<void(std::string_view)>& write) {
  ObjectNumberList pages;
  analyst_.GetPageObjects(pages);
  if (first_page < 1 || last_page > static_cast<int32_t>(pages.size())) {
    throw Error("ページ番号の指定が不正です。");
  }

  PageResourceReader streams(&analyst_);
  FontDecoder font_decoder(&analyst_);
  FontCache font_cache(font_decoder);
  FontList fonts;
  MemoryStream content;
  ObjectNumberList content_objects;
  PageStreams page_streams(streams);
  std::string text;

  // Appends the decoded bytes of a stream, framed as the interpreter expects, to the page's
  // content; false, with nothing appended, when the copy would pass the thread's bound on
  // decoded bytes (the rest of the page is then passed over, as past the page's bound).
  const auto append_content = [&content](const std::string& decoded, std::string_view after) {
    try {
      content.Write("\n\n");
      content.Write(decoded);
      content.Write(after);
    } catch (const DecodedBytesError&) {
      return false;
    }
    return true;
  };
  const auto interpret = [&] {
    content.SetPosition(0);
    Interpret(content, text, fonts, &font_cache);
    write(text);
    text.clear();
    content.Clear();
  };

  for (int32_t page = first_page; page <= last_page; ++page) {
    if (PageSeparator) write(PageBanner(page, page == first_page, NewLineCode));
    const int32_t page_object = pages[static_cast<size_t>(page - 1)];
    const PageResources resources = streams.ReadPageResources(page_object);
    page_streams.StartPage();

    // Form XObjects with fonts of their own come first, each on its own.
    for (const FormXObject& form : resources.forms) {
      if (form.fonts.empty()) continue;
      const std::string* decoded = page_streams.Take(form.object_number, StreamRole::kForm);
      if (decoded == nullptr || !append_content(*decoded, "endobj\n\n")) break;
      font_cache.DecodeFonts(form.fonts, fonts);
      interpret();
      if (ProcessPendingInput) ProcessPendingInput();
      if (StopAsked(cancel)) return false;
    }

    if (resources.fonts.empty()) continue;  // no text, no progress report
    content_objects.clear();
    streams.GetContentObjects(page_object, content_objects);
    for (const int32_t object : content_objects) {
      const std::string* decoded = page_streams.Take(object, StreamRole::kContent);
      if (decoded == nullptr || !append_content(*decoded, "\n\n")) break;
    }
    content.Write("endobj\n\n");
    font_cache.DecodeFonts(resources.fonts, fonts);
    interpret();

    // A range that ends at page 1 is done after that page (no division by zero).
    const int32_t position = last_page > 1 ? MulDiv(page - 1, 100, last_page - 1) : 100;
    if (progress) progress(0, 100, position, false);
    if (StopAsked(cancel)) return false;
  }
  return true;
}

}  // namespace lumenquill
