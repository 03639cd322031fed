#pragma once

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>

#include "app/settings_table.h"

namespace lumenquill {

// The options dialog: a control for each setting of the options in the table of settings, read
// from the settings file when shown and written to it, in the table's order, on OK.
class OptionsDialog final : public QDialog {
 public:
  explicit OptionsDialog(QWidget* parent = nullptr);

  QCheckBox* page_banners;
  QCheckBox* ask_page_range;
  QRadioButton* line_breaks;
  QRadioButton* no_line_breaks;
  QComboBox* line_end;
  QCheckBox* open_in_editor;
  QCheckBox* ask_save_path;
  QCheckBox* confirm_overwrite;
  QCheckBox* show_warnings;
  QCheckBox* newer_formats;
  QComboBox* encoding;
  // Enabled for the Unicode encodings only, which alone fold.
  QCheckBox* fold_compatibility;
  QCheckBox* layout_order;
  // Enabled while layout order is checked, the only reading that finds ruby; keeps its value.
  QComboBox* ruby;
  QPushButton* ok_button;
  QPushButton* cancel_button;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // A flag other than 0 or 1, or an index that names no item, leaves the control as it is; a
  // missing index selects the setting's fallback item.
  void LoadControls();
  void SaveControls();

  // The control of each option setting, in the table's order.
  std::array<QWidget*, kOptionSettings.size()> controls_;
};

}  // namespace lumenquill
