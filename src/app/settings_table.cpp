#include "app/settings_table.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "platform/ini_file.h"
#include "platform/settings_location.h"
#include "reader/byte_classes.h"
#include "reader/decimal_text.h"

namespace lumenquill {

// Every entry sits at the place of its identifier.
static_assert([] {
  for (size_t i = 0; i < std::size(kSettings); ++i) {
    if (static_cast<size_t>(kSettings[i].id) != i) return false;
  }
  return true;
}());

int32_t ProfileNumber(std::string_view value) {
  const bool negative = value.starts_with('-');
  if (negative) value.remove_prefix(1);
  const auto digits_end = std::find_if_not(value.begin(), value.end(), IsDecimalDigit);
  const std::string_view digits = value.substr(0, static_cast<size_t>(digits_end - value.begin()));
  if (digits.empty()) return 0;
  const int32_t magnitude = ParseDecimal(digits).value_or(INT32_MAX);
  return negative ? -magnitude : magnitude;
}

int32_t ReadSettingOr(const Setting& setting, int32_t missing_value) {
  const std::optional<std::string> value =
      FindProfileValue(SettingsFilePath(), setting.section, setting.key);
  return value ? ProfileNumber(*value) : missing_value;
}

int32_t ReadSetting(const Setting& setting) { return ReadSettingOr(setting, setting.fallback); }

bool ReadSwitch(const Setting& setting) {
  const int32_t value = ReadSetting(setting);
  return setting.type == SettingType::kSwitch ? value != 0 : value == 1;
}

void WriteSetting(const Setting& setting, int32_t value) {
  WriteProfileValue(SettingsFilePath(), setting.section, setting.key, std::to_string(value));
}

}  // namespace lumenquill
