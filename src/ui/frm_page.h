#pragma once

#include <functional>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "reader/pdf_analyst.h"

namespace lumenquill {

// The page-range dialog: a first and a last page, checked against the document's page count.
class TfrmPage final : public QDialog {
 public:
  explicit TfrmPage(QWidget* parent = nullptr);

  // Both -1 after Cancel.
  int32_t FirstPage = -1;
  int32_t LastPage = -1;
  const TPDFAnalyst* Analyst = nullptr;

  QLabel* Label3;
  QLineEdit* Edit1;
  QLabel* Label2;
  QLineEdit* Edit2;
  QLabel* Label1;
  QPushButton* Button1;
  QPushButton* Button2;

  // The application's error display: a message box captioned "Lumenquill" with an error
  // icon; the message already carries its closing period.
  std::function<void(const QString&)> ShowError;

  // The checks of OK; the dialog closes with OK only when they pass.
  void Button1Click();
  void Button2Click();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void FormShow();

  // The edit that took the last press of Enter, until its release.
  QObject* enter_pressed_in_ = nullptr;
};

}  // namespace lumenquill
