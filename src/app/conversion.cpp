#include "app/conversion.h"

#include <optional>

#include "app/path_names.h"
#include "app/settings.h"
#include "platform/file_attributes.h"
#include "text/pdf_text_decoder.h"

namespace lumenquill {
namespace {

constexpr const char* kCaption = "Lumenquill";
constexpr const char* kOverwriteCaption = "Corvagraph";

// The output path: chosen in the save dialog, or beside the PDF with ".txt" (after the
// overwrite question). Nothing when the user declines.
std::optional<std::string> OutputPath(UserInterface& ui, const std::string& pdf,
                                      const ConversionFlags& flags) {
  if (flags.AskSavePath) {
    return ui.ChooseSavePath(WithExtension(FileNamePart(pdf), ""));
  }
  const std::string path = WithExtension(pdf, ".txt");
  if (flags.ConfirmOverwrite && FileExists(path) &&
      !ui.AskYesNo(kOverwriteCaption,
                   path + "\r\n" + "指定されたファイルは既に存在します。上書きしますか？")) {
    return std::nullopt;
  }
  return path;
}

}  // namespace

void Conversion::ConvertFile(const std::string& file_name) {
  const bool show_warnings = ReadShowWarnings();
  TPDFAnalyst analyst;
  try {
    analyst.LoadFromFile(file_name);
  } catch (const std::exception&) {
    if (show_warnings) {
      ui_.ShowMessage(kCaption,
                      file_name + "\r\n" + "このファイルは破損しているか対応できない形式です。",
                      MessageIcon::kError);
    }
    return;
  }
  if (analyst.Encrypted()) {
    if (show_warnings) {
      ui_.ShowMessage(kCaption,
                      file_name + "\r\n" +
                          "セキュリティが設定されているPDFファイルからはテキストを抽出できません。",
                      MessageIcon::kError);
    }
    return;
  }
  ++OpenCount;
  try {
    SaveAsText(analyst);
  } catch (const std::exception&) {
    // The conversion of this file ends quietly; the batch goes on.
  }
}

void Conversion::SaveAsText(TPDFAnalyst& analyst) {
  ProgressDisplay& progress = ui_.Progress();
  progress.Cancelled = false;
  TPDFTextDecoder decoder(&analyst);
  // Whatever happens from here, the progress display ends hidden.
  struct HideAtEnd {
    ProgressDisplay& progress;
    ~HideAtEnd() { progress.Hide(); }
  } hide_at_end{progress};

  ui_.LeaveAlwaysOnTop();
  const ConversionFlags flags = LoadOptions(decoder);

  PageRange range{1, analyst.PageCount()};
  if (flags.PageRange) {
    const std::optional<PageRange> chosen =
        ui_.ChoosePageRange(analyst, " - ( " + FileNamePart(analyst.FileName()) + " )");
    if (!chosen) return;
    range = *chosen;
  }

  const std::optional<std::string> output = OutputPath(ui_, analyst.FileName(), flags);
  if (!output) return;

  progress.Present();
  decoder.ExtractToFile(
      *output, range.first, range.last,
      [&progress](int32_t min, int32_t max, int32_t position, bool done) {
        progress.ShowProgress(min, max, position, done);
      },
      progress.Cancelled);

  if (flags.OpenInEditor && !progress.Cancelled && OpenCount <= MaxOpenWindows) {
    ui_.OpenInApplication(*output);
  }
}

}  // namespace lumenquill
