#pragma once

#include <functional>
#include <memory>

#include <QFileDialog>
#include <QString>
#include <QStringList>

namespace lumenquill {

// The program's open dialog: the platform's file dialog with its side bar of places, a help
// button caption of its own and a help event.
class FileOpenDialog {
 public:
  explicit FileOpenDialog(QWidget* owner) : owner_(owner) {}
  virtual ~FileOpenDialog() = default;

  // Runs the dialog; true when the user confirmed, with the choice in file_name (and files).
  virtual bool Execute();
  // Raises on_help with the dialog as sender when it is set.
  virtual void DoHelp();

  QString help_text = "ヘルプ(&H)";
  std::function<void(FileOpenDialog&)> on_help;

  // "Description|*.ext" pairs, as the program writes its filters.
  QString filter;
  QString default_ext;
  // The folder the dialog opens in; empty for the one where it last was.
  QString folder;
  QString file_name;
  QStringList files;
  bool allow_multi_select = false;
  bool overwrite_prompt = false;

 protected:
  virtual QFileDialog::AcceptMode Mode() const { return QFileDialog::AcceptOpen; }
  // Shows the dialog, set up, until the user closes it; tests look at the dialog instead.
  virtual int Run(QFileDialog& dialog) { return dialog.exec(); }

 private:
  QWidget* owner_;
};

// The save dialog: the same, in save mode.
class FileSaveDialog : public FileOpenDialog {
 public:
  using FileOpenDialog::FileOpenDialog;

  // The save dialog of the conversions: text files, ".txt" by default, asking before an
  // existing file is chosen.
  static std::unique_ptr<FileSaveDialog> ForTextFiles(QWidget* owner);
  // Sets this dialog up as ForTextFiles does.
  void UseForTextFiles();

 protected:
  QFileDialog::AcceptMode Mode() const override { return QFileDialog::AcceptSave; }
};

// "Description|*.ext|..." as Qt's name filters ("Description (*.ext)").
QStringList NameFilters(const QString& filter);

}  // namespace lumenquill
