#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "settings_file.h"
#include "support/shortcut_bytes.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::SettingsFile;

// A main window whose conversions are recorded: the file, the progress caption, and whether
// the window was enabled at the time.
class MainWindowTest : public ::testing::Test {
 protected:
  void Create() {
    window_ = std::make_unique<MainWindow>(progress_);
    window_->convert_file = [this](const std::string& file) {
      converted_.push_back(file + " |" + progress_.windowTitle().toStdString() +
                           (window_->isEnabled() ? " enabled" : ""));
      SetAlwaysOnTop(window_.get(), false);  // as every conversion does
      return true;
    };
  }

  std::string Make(const std::string& name, const std::string& bytes = "%PDF") {
    const std::string path = folder_ + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  testing::TempFile anchor_{"", "anchor"};
  std::string folder_ = std::filesystem::path(anchor_.path()).parent_path().string();
  ProgressDialog progress_;
  std::unique_ptr<MainWindow> window_;
  std::vector<std::string> converted_;
};

TEST_F(MainWindowTest, FirstStartWithoutSettings) {
  SettingsFile file("");
  Create();
  window_->show();
  EXPECT_EQ(window_->windowTitle(), "Lumenquill  v1.21");
  EXPECT_EQ(window_->pos(), QPoint(50, 50));
  EXPECT_EQ(window_->size(), QSize(295, 180));
  EXPECT_FALSE(window_->tool_bar->isVisible());
  EXPECT_FALSE(window_->status_bar->isVisible());
  EXPECT_FALSE(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(window_->minimumSize(), QSize(295, 180));
  window_->resize(100, 100);
  EXPECT_GE(window_->width(), 295);
  EXPECT_GE(window_->height(), 180);
}

TEST_F(MainWindowTest, ViewSwitchesAndExit) {
  SettingsFile file("");
  Create();
  window_->show();
  window_->tool_bar_action->trigger();
  window_->status_bar_action->trigger();
  EXPECT_TRUE(window_->tool_bar->isVisible());
  EXPECT_TRUE(window_->status_bar->isVisible());
  window_->on_top_action->trigger();
  EXPECT_TRUE(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  window_->exit_action->trigger();
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(MainWindowTest, SettingsReadAtCreation) {
  SettingsFile file("[frmMain]\nLeft=120\nTop=80\nWidth=400\nheight=300\nN10=1\nN11=1\nN12=5\n");
  Create();
  window_->show();
  EXPECT_EQ(window_->pos(), QPoint(120, 80));
  EXPECT_EQ(window_->size(), QSize(400, 300));
  EXPECT_TRUE(window_->tool_bar->isVisible());
  EXPECT_TRUE(window_->status_bar->isVisible());
  EXPECT_FALSE(window_->on_top_action->isChecked());
}

TEST_F(MainWindowTest, BoundsAndSwitchesWrittenAtClose) {
  SettingsFile file("");
  Create();
  window_->show();
  window_->move(70, 60);
  window_->resize(333, 222);
  window_->status_bar_action->trigger();
  window_->close();
  EXPECT_EQ(testing::ReadWholeFile(file.path()),
            "[frmMain]\nZoom=0\nLeft=70\nTop=60\nWidth=333\nheight=222\nN10=0\nN11=1\nN12=0\n");
}

TEST_F(MainWindowTest, MaximisedWindowsRecordTheirNormalBounds) {
  SettingsFile file("[frmMain]\nLeft=70\nTop=60\nWidth=333\nheight=222\n");
  Create();
  window_->show();
  window_->showMaximized();
  QApplication::processEvents();
  window_->close();
  EXPECT_EQ(testing::ReadWholeFile(file.path()),
            "[frmMain]\nLeft=70\nTop=60\nWidth=333\nheight=222\nZoom=1\nN10=0\nN11=0\nN12=0\n");
}

// Restarting from what a maximised window wrote and restoring it gives the bounds it had, and
// closing it again writes them unchanged: the window does not drift from run to run.
TEST_F(MainWindowTest, MaximisedBoundsComeBackWithoutDrift) {
  SettingsFile file("[frmMain]\nLeft=299\nTop=180\nWidth=333\nheight=222\n");
  Create();
  window_->show();
  const QRect frame = window_->frameGeometry();
  window_->showMaximized();
  QApplication::processEvents();
  window_->close();
  const std::string written = testing::ReadWholeFile(file.path());

  Create();
  window_->show();
  EXPECT_TRUE(window_->isMaximized());
  window_->showNormal();
  QApplication::processEvents();
  EXPECT_EQ(window_->frameGeometry(), frame);
  EXPECT_EQ(window_->pos(), QPoint(299, 180));
  EXPECT_EQ(window_->size(), QSize(333, 222));
  window_->showMaximized();
  QApplication::processEvents();
  window_->close();
  EXPECT_EQ(testing::ReadWholeFile(file.path()), written);
}

// Dropped files and folders become one batch, counted in the progress captions.
TEST_F(MainWindowTest, DropsMakeOneBatch) {
  SettingsFile file("");
  Create();
  window_->show();
  const std::string a = Make("a.pdf");
  const std::string b = Make("b.PDF");
  const std::string c = Make("c.pdf");
  const std::string d = Make("folder/d.pdf");
  const std::string e = Make("folder/e.pdf");
  const std::string link = Make("links/c.lnk", testing::Shortcut(c));
  window_->DropPaths({a, b, link, folder_ + "/folder"});
  EXPECT_THAT(converted_,
              ElementsAre(a + " | (1/5) - a.pdf", b + " | (2/5) - b.PDF", c + " | (3/5) - c.pdf",
                          d + " | (4/5) - d.pdf", e + " | (5/5) - e.pdf"));
  EXPECT_TRUE(window_->isEnabled());
}

// A drag holding nothing a drop could convert is refused; a drop mixing PDF files with other
// files names the others, with the reason, and converts the PDF files.
TEST_F(MainWindowTest, OtherFilesAreRefusedOrNamed) {
  SettingsFile file("");
  Create();
  window_->show();
  const std::string a = Make("a.pdf");
  const std::string notes = Make("notes.txt");
  const auto drag_taken = [this](const std::vector<std::string>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    return enter.isAccepted();
  };
  EXPECT_FALSE(drag_taken({notes}));
  EXPECT_TRUE(drag_taken({notes, a}));
  EXPECT_TRUE(drag_taken({folder_}));

  QString message;
  QTimer::singleShot(0, [&message] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    message = box->text();
    box->accept();
  });
  window_->DropPaths({notes, a});
  EXPECT_TRUE(message.contains("次の項目は変換しません。\nnotes.txt: PDFファイルではありません。<"))
      << message.toStdString();
  EXPECT_THAT(converted_, ElementsAre(a + " | (1/1) - a.pdf"));
}

// Escape cancels an extraction and is the shortcut of 終了: a press during the batch, even one
// read only after it, leaves the program running. When the batch ends the keys go to the window
// again, wherever the batch's windows left the focus.
TEST_F(MainWindowTest, EscapeDuringABatchDoesNotQuitAndKeysComeBack) {
  SettingsFile file("");
  Create();
  window_->show();
  window_->activateWindow();
  QApplication::processEvents();
  window_->convert_file = [this](const std::string&) {
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    QTimer::singleShot(0, window_.get(),
                       [this] { QTest::keyClick(window_.get(), Qt::Key_Escape); });
    return true;
  };
  window_->DropPaths({Make("a.pdf")});
  QApplication::processEvents();
  EXPECT_TRUE(window_->isVisible());

  QWidget other;
  window_->convert_file = [&other](const std::string&) {
    other.show();
    other.activateWindow();
    return true;
  };
  window_->DropPaths({Make("a.pdf")});
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), window_.get());
  QTest::keyClick(window_.get(), Qt::Key_Escape);
  EXPECT_FALSE(window_->isVisible());
}

// The drop returns at once, so the dragging program does not wait for the conversions; the
// batch starts from the event loop right after.
TEST_F(MainWindowTest, DropReturnsBeforeTheBatchStarts) {
  SettingsFile file("");
  Create();
  window_->show();
  const std::string a = Make("a.pdf");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(a))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_THAT(converted_, IsEmpty());
  QApplication::processEvents();
  EXPECT_THAT(converted_, ElementsAre(a + " | (1/1) - a.pdf"));
  EXPECT_TRUE(window_->isEnabled());
}

// While a batch runs the window is disabled, and every tool-bar button looks so: no part of a
// disabled picture is darker than a light grey.
TEST_F(MainWindowTest, DisabledToolButtonsAllLookFaded) {
  SettingsFile file("");
  Create();
  int pictures = 0;
  for (QAction* button : window_->tool_bar->actions()) {
    if (button->isSeparator()) continue;
    ++pictures;
    const QImage picture =
        button->icon().pixmap(16, QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32);
    int darkest = 255;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (qAlpha(picture.pixel(x, y)) > 128)
          darkest = std::min(darkest, qGray(picture.pixel(x, y)));
      }
    }
    EXPECT_GE(darkest, 150) << button->toolTip().toStdString();
    EXPECT_FALSE(button->icon().pixmap(16).isNull());
  }
  EXPECT_EQ(pictures, 4);
}

TEST(FileDialogs, FiltersAndDefaults) {
  EXPECT_EQ(NameFilters("PDF - Portable Document Format|*.pdf"),
            QStringList{"PDF - Portable Document Format (*.pdf)"});
  EXPECT_EQ(NameFilters("テキストファイル|*.txt|すべて|*.txt;*.log"),
            (QStringList{"テキストファイル (*.txt)", "すべて (*.txt *.log)"}));
  FileSaveDialog dialog(nullptr);
  EXPECT_EQ(dialog.help_text, "ヘルプ(&H)");
  int helped = 0;
  dialog.on_help = [&helped](FileOpenDialog&) { ++helped; };
  dialog.DoHelp();
  EXPECT_EQ(helped, 1);
}

TEST_F(MainWindowTest, AlwaysOnTopReturnsAfterABatch) {
  SettingsFile file("[frmMain]\nN12=1\n");
  Create();
  window_->show();
  EXPECT_TRUE(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  window_->DropPaths({Make("a.pdf")});
  EXPECT_EQ(converted_.size(), 1u);
  EXPECT_TRUE(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
}  // namespace lumenquill
