#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/user_interface.h"

namespace lumenquill {

// The progress dialog: one per program run, hidden between extractions. Closing it (the title
// bar's close button, Alt+F4) cancels the extraction as its button does; the dialog hides when
// the extraction has stopped. Escape is the extraction's own cancel key rather than the dialog's.
class ProgressDialog final : public QDialog, public ProgressDisplay {
 public:
  explicit ProgressDialog(QWidget* parent = nullptr);

  void SetCaption(const std::string& caption) override;
  void Present() override;
  // Processes the waiting window events, shows the position as "position/max", and hides the
  // dialog (its bar back at 0) when done.
  void ShowProgress(int32_t min, int32_t max, int32_t position, bool done) override;
  // Processes the waiting window events: a click on the cancel button, Escape.
  void ProcessPendingInput() override;
  void Hide() override { hide(); }

  QProgressBar* bar;
  QPushButton* cancel_button;
  QLabel* position_label;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override {}

 private:
  void CancelClick() { cancelled = true; }
};

}  // namespace lumenquill
