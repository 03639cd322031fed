#include "ui/qt_interface.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "app/path_names.h"
#include "ui/message_box.h"
#include "ui/page_range_dialog.h"
#include "ui/path_text.h"

namespace lumenquill {

void SetAlwaysOnTop(QWidget* window, bool on_top) {
  if (window == nullptr || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on_top) {
    return;
  }
  const bool visible = window->isVisible();
  window->setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
  if (visible) window->show();  // changing the flags hides the window
}

void QtUserInterface::ShowMessage(const std::string& caption, const std::string& text,
                                  MessageIcon icon) {
  MakeMessageBox(icon == MessageIcon::kError ? QMessageBox::Critical : QMessageBox::Warning,
                 QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                 owner_)
      ->exec();
}

bool QtUserInterface::AskYesNo(const std::string& caption, const std::string& text) {
  return MakeMessageBox(QMessageBox::Warning, QString::fromStdString(caption),
                        QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, owner_)
             ->exec() == QMessageBox::Yes;
}

std::optional<PageRange> QtUserInterface::ChoosePageRange(int32_t page_count,
                                                          const std::string& caption_suffix) {
  PageRangeDialog dialog(owner_);
  dialog.page_count = page_count;
  dialog.AppendToTitle(QString::fromStdString(caption_suffix));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return PageRange{dialog.first_page, dialog.last_page};
}

// The dialog opens in the PDF's folder with the PDF's name, so that Enter saves the text beside
// its PDF.
std::optional<std::string> QtUserInterface::ChooseSavePath(const std::string& proposed_path) {
  save_dialog_.folder = QFileInfo(PathText(proposed_path)).absolutePath();
  save_dialog_.file_name = PathText(FileNamePart(proposed_path));
  if (!save_dialog_.Execute()) return std::nullopt;
  return PathBytes(save_dialog_.file_name);
}

void QtUserInterface::LeaveAlwaysOnTop() { SetAlwaysOnTop(owner_, false); }

void QtUserInterface::OpenInApplication(const std::string& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(PathText(path)));
}

}  // namespace lumenquill
