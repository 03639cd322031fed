#pragma once

#include <functional>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdint>

namespace lumenquill {

// The page-range dialog: a first and a last page, checked against the document's page count.
class PageRangeDialog final : public QDialog {
 public:
  explicit PageRangeDialog(QWidget* parent = nullptr);

  // Both -1 after Cancel.
  int32_t first_page = -1;
  int32_t last_page = -1;
  int32_t page_count = 0;

  QLabel* prompt;
  QLineEdit* first_edit;
  QLabel* dash;
  QLineEdit* last_edit;
  QLabel* valid_pages;
  QPushButton* ok_button;
  QPushButton* cancel_button;

  // The application's error display: a message box captioned "Lumenquill" with an error
  // icon; the message already carries its closing period.
  std::function<void(const QString&)> show_error;

  // Shows the suffix (" - ( file name )") after the title, its middle elided where the whole
  // would not fit the title bar.
  void AppendToTitle(const QString& suffix);

  // The checks of OK; the dialog closes with OK only when they pass.
  void Confirm();
  void Cancel();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void ShowPageCount();

  // The edit that took the last press of Enter, until its release.
  QObject* enter_pressed_in_ = nullptr;
};

}  // namespace lumenquill
