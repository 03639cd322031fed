#include "app/settings.h"

#include <iterator>

namespace lumenquill {
namespace {

bool On(SettingId id) { return ReadSwitch(SettingOf(id)); }

int32_t Number(SettingId id) { return ReadSetting(SettingOf(id)); }

void Write(SettingId id, int32_t value) { WriteSetting(SettingOf(id), value); }

// What the item of a list that the setting's index names stands for; the first item, the
// fallback, for an index outside the list.
template <typename Value, size_t N>
Value ListedValue(SettingId id, const ListChoice<Value> (&choices)[N]) {
  const int32_t index = Number(id);
  return choices[index >= 0 && index < static_cast<int32_t>(N) ? index : 0].value;
}

}  // namespace

bool ReadShowWarnings() { return On(SettingId::kShowWarnings); }

bool ReadNewerFormats() { return On(SettingId::kNewerFormats); }

ConversionFlags LoadOptions(ExtractionOptions& extraction) {
  extraction.line_breaks = On(SettingId::kLineBreaks);
  // An index outside the list leaves the layout's own line end.
  const int32_t line_end = Number(SettingId::kLineEnd);
  if (line_end >= 0 && line_end < static_cast<int32_t>(std::size(kLineEnds))) {
    extraction.new_line = kLineEnds[line_end].value;
  }
  extraction.page_banners = On(SettingId::kPageBanners);
  extraction.encoding.encoding = ListedValue(SettingId::kEncoding, kEncodings);
  extraction.encoding.fold_compatibility_forms = On(SettingId::kFoldCompatibility);
  extraction.layout_order = On(SettingId::kLayoutOrder);
  extraction.ruby = ListedValue(SettingId::kRuby, kRubyChoices);
  ConversionFlags flags;
  flags.ask_page_range = On(SettingId::kAskPageRange);
  flags.open_in_editor = On(SettingId::kOpenInEditor);
  flags.ask_save_path = On(SettingId::kAskSavePath);
  flags.confirm_overwrite = On(SettingId::kConfirmOverwrite);
  return flags;
}

MainWindowSettings ReadMainWindowSettings() {
  MainWindowSettings settings;
  settings.left = Number(SettingId::kWindowLeft);
  settings.top = Number(SettingId::kWindowTop);
  settings.width = Number(SettingId::kWindowWidth);
  settings.height = Number(SettingId::kWindowHeight);
  settings.maximised = On(SettingId::kWindowMaximised);
  settings.tool_bar = On(SettingId::kToolBar);
  settings.status_bar = On(SettingId::kStatusBar);
  settings.on_top = On(SettingId::kOnTop);
  return settings;
}

void WriteMainWindowSettings(const MainWindowSettings& settings) {
  Write(SettingId::kWindowMaximised, settings.maximised ? 1 : 0);
  Write(SettingId::kWindowLeft, settings.left);
  Write(SettingId::kWindowTop, settings.top);
  Write(SettingId::kWindowWidth, settings.width);
  Write(SettingId::kWindowHeight, settings.height);
  Write(SettingId::kToolBar, settings.tool_bar ? 1 : 0);
  Write(SettingId::kStatusBar, settings.status_bar ? 1 : 0);
  Write(SettingId::kOnTop, settings.on_top ? 1 : 0);
}

}  // namespace lumenquill
