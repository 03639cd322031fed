#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "app/batch.h"
#include "app/input_rule.h"
#include "app/path_names.h"
#include "app/settings.h"
#include "platform/file_attributes.h"
#include "platform/settings_location.h"
#include "ui/faded_icon.h"
#include "ui/form_font.h"
#include "ui/options_dialog.h"
#include "ui/path_text.h"
#include "ui/screen_placement.h"

namespace lumenquill {
namespace {

QAction* MakeAction(QWidget* owner, const QString& caption, const QString& hint,
                    const QKeySequence& shortcut = {}) {
  auto* action = new QAction(caption, owner);
  action->setStatusTip(hint);
  action->setToolTip(hint);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

}  // namespace

MainWindow::MainWindow(ProgressDialog& progress, QWidget* parent)
    : QMainWindow(parent), progress_(progress) {
  setWindowTitle(QString::fromStdString(kMainCaption));
  setWindowIcon(QIcon(":/images/lumenquill.svg"));
  setFont(FormFont());
  setMinimumSize(kMainWindowWidth, kMainWindowHeight);
  setAcceptDrops(true);

  open_dialog = std::make_unique<FileOpenDialog>(this);
  open_dialog->filter = "PDF - Portable Document Format|*.pdf";
  open_dialog->allow_multi_select = true;
  save_dialog = FileSaveDialog::ForTextFiles(this);
  ui_ = std::make_unique<QtUserInterface>(this, progress_, *save_dialog);
  conversion_ = std::make_unique<Conversion>(*ui_);
  convert_file = [this](const std::string& file) { return conversion_->ConvertFile(file); };

  BuildMenus();
  BuildToolBar();
  status_bar = new QStatusBar(this);
  status_bar->setFixedHeight(20);
  status_bar->setSizeGripEnabled(false);
  setStatusBar(status_bar);

  drop_panel = new QFrame(this);
  drop_panel->setFrameStyle(QFrame::Box | QFrame::Plain);
  drop_panel->setAutoFillBackground(true);
  QPalette white = drop_panel->palette();
  white.setColor(QPalette::Window, Qt::white);
  drop_panel->setPalette(white);
  drop_image = new QLabel(drop_panel);
  drop_image->setAlignment(Qt::AlignCenter);
  drop_image->setPixmap(QIcon(":/images/drop.png").pixmap(250, 80));
  auto* layout = new QHBoxLayout(drop_panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(drop_image);
  setCentralWidget(drop_panel);

  ApplySettings();
  // The window manager may answer the progress dialog's request for the focus only after the
  // dialog is hidden again: Qt would then take the hidden dialog for the active window, and no
  // key would reach this window until a click. The activation comes back here.
  connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
    if (focus != nullptr && !focus->isVisible() && isVisible() && isEnabled()) {
      QApplication::setActiveWindow(this);
    }
  });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
  file_menu = menuBar()->addMenu("ファイル(&F)");
  open_action = MakeAction(this, "開く", "PDFファイルを開く", QKeySequence("Ctrl+O"));
  open_action->setIcon(QIcon(":/images/open.svg"));
  exit_action =
      MakeAction(this, "終了(&E)", "アプリケーションの終了", QKeySequence(Qt::Key_Escape));
  file_menu->addAction(open_action);
  file_menu->addSeparator();
  file_menu->addAction(exit_action);

  view_menu = menuBar()->addMenu("表示(&V)");
  tool_bar_action = MakeAction(this, "ツールバー", "ツールバーを表示/隠す");
  status_bar_action = MakeAction(this, "ステータスバー", "ステータスバーを表示/隠す");
  on_top_action = MakeAction(this, "常に手前に表示", "ウインドウを常に手前にする/しない",
                             QKeySequence(Qt::Key_F3));
  for (QAction* check : {tool_bar_action, status_bar_action, on_top_action})
    check->setCheckable(true);
  options_action = MakeAction(this, "オプション", "オプション", QKeySequence(Qt::Key_F5));
  options_action->setIcon(QIcon(":/images/options.svg"));
  view_menu->addActions({tool_bar_action, status_bar_action, on_top_action});
  view_menu->addSeparator();
  view_menu->addAction(options_action);

  help_menu = menuBar()->addMenu("ヘルプ(&H)");
  readme_action = MakeAction(this, "ReadMe.txt", "ヘルプファイルを開く", QKeySequence(Qt::Key_F1));
  readme_action->setIcon(QIcon(":/images/help.svg"));
  home_action = MakeAction(this, "最新版の入手", "最新版を入手する");
  home_action->setIcon(QIcon(":/images/home.svg"));
  help_menu->addAction(readme_action);
  help_menu->addSeparator();
  help_menu->addAction(home_action);

  // Qt sets the mark of a checkable item before it triggers; the handlers apply the new mark.
  connect(open_action, &QAction::triggered, this, [this] { OpenFiles(); });
  connect(exit_action, &QAction::triggered, this, [this] { Exit(); });
  connect(options_action, &QAction::triggered, this, [this] { ShowOptions(); });
  connect(tool_bar_action, &QAction::triggered, this, [this] { ToggleToolBar(); });
  connect(status_bar_action, &QAction::triggered, this, [this] { ToggleStatusBar(); });
  connect(on_top_action, &QAction::triggered, this, [this] { ToggleOnTop(); });
  connect(readme_action, &QAction::triggered, this, [this] { OpenReadme(); });
  connect(home_action, &QAction::triggered, this, [this] { OpenHomePage(); });
}

void MainWindow::BuildToolBar() {
  tool_bar = new QToolBar(this);
  tool_bar->setMovable(false);
  tool_bar->setFloatable(false);
  tool_bar->setIconSize(QSize(16, 16));
  tool_bar->setFixedHeight(28);
  tool_bar->toggleViewAction()->setEnabled(false);
  // The tool buttons carry their own hints, the menu items' hints being longer.
  const auto add = [this](QAction* action, const QString& hint) {
    auto* button = new QAction(WithFadedDisabledLook(action->icon(), tool_bar->iconSize()),
                               QString(), tool_bar);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    connect(button, &QAction::triggered, action, &QAction::trigger);
    tool_bar->addAction(button);
  };
  add(open_action, "ファイルを開く");
  tool_bar->addSeparator();
  add(options_action, "オプション");
  tool_bar->addSeparator();
  add(readme_action, "ヘルプファイルを開く");
  tool_bar->addSeparator();
  add(home_action, "最新版を入手する");
  addToolBar(Qt::TopToolBarArea, tool_bar);
}

// Bounds and switches from the settings file; bounds that would leave the window off every
// screen are moved onto one.
void MainWindow::ApplySettings() {
  const MainWindowSettings settings = ReadMainWindowSettings();
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.push_back(screen->availableGeometry());
  }
  // Far beyond any screen a corner only needs to stay far, and its rectangle must not overflow.
  constexpr int kFar = 1 << 24;
  const QRect bounds =
      PlaceOnScreens({std::clamp(settings.left, -kFar, kFar), std::clamp(settings.top, -kFar, kFar),
                      std::clamp(settings.width, kMainWindowWidth, kFar),
                      std::clamp(settings.height, kMainWindowHeight, kFar)},
                     screens);
  move(bounds.topLeft());
  resize(bounds.size());
  if (settings.maximised) setWindowState(windowState() | Qt::WindowMaximized);
  tool_bar_action->setChecked(settings.tool_bar);
  status_bar_action->setChecked(settings.status_bar);
  on_top_action->setChecked(settings.on_top);
  tool_bar->setVisible(tool_bar_action->isChecked());
  status_bar->setVisible(status_bar_action->isChecked());
  if (on_top_action->isChecked()) setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void MainWindow::showEvent(QShowEvent* event) {
  setWindowTitle(QString::fromStdString(kMainCaption));
  QMainWindow::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  SaveSettings();
  QMainWindow::closeEvent(event);
}

// A maximised window records Zoom and its normal bounds.
void MainWindow::SaveSettings() {
  MainWindowSettings settings;
  settings.maximised = isMaximized();
  // Left and Top are the frame's corner, as move() takes them; normalGeometry() is the client
  // area's, so the frame of the normal state is added (a maximised frame can be narrower).
  // A window opened maximised and never restored has no normal frame seen; it takes its own.
  const QMargins frame =
      settings.maximised && !normal_frame_.isNull() ? normal_frame_ : FrameMargins();
  const QRect bounds = settings.maximised ? normalGeometry().translated(-frame.left(), -frame.top())
                                          : QRect(pos(), size());
  settings.left = bounds.x();
  settings.top = bounds.y();
  settings.width = bounds.width();
  settings.height = bounds.height();
  settings.tool_bar = tool_bar_action->isChecked();
  settings.status_bar = status_bar_action->isChecked();
  settings.on_top = on_top_action->isChecked();
  WriteMainWindowSettings(settings);
}

QMargins MainWindow::FrameMargins() const {
  const QRect frame = frameGeometry();
  const QRect client = geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

void MainWindow::moveEvent(QMoveEvent* event) {
  if (windowState() == Qt::WindowNoState) normal_frame_ = FrameMargins();
  QMainWindow::moveEvent(event);
}

// A drag is taken only when it holds something a drop could convert: a PDF file, a folder or a
// shortcut; the pointer shows the others refused.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile() && MayGivePdfFiles(PathBytes(url.toLocalFile()))) {
      event->acceptProposedAction();
      return;
    }
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(PathBytes(url.toLocalFile()));
  }
  event->acceptProposedAction();
  // The drag source waits until the drop returns, so the batch starts from the event loop right
  // after; the window is disabled at once, so that no second drop comes in between.
  setEnabled(false);
  QTimer::singleShot(0, this, [this, paths] { DropPaths(paths); });
}

// What a drop gives no PDF file from is named before the batch, each with the reason, when
// warnings are shown: a drop mixing PDF files with others would otherwise pass over the others
// without a word.
void MainWindow::DropPaths(const std::vector<std::string>& paths) {
  std::vector<std::string> work_list;
  std::string ignored;
  for (const std::string& path : paths) {
    const InputOutcome outcome = ApplyInputRule(path, work_list);
    if (outcome != InputOutcome::kTaken) {
      ignored += "\r\n" + FileNamePart(path) + ": " + IgnoredInputMessage(outcome);
    }
  }
  if (!ignored.empty() && ReadShowWarnings()) {
    ui_->ShowMessage(kMessageCaption, "次の項目は変換しません。" + ignored, MessageIcon::kWarning);
  }
  RunWorkList(work_list);
}

void MainWindow::RunWorkList(const std::vector<std::string>& work_list) {
  setEnabled(false);
  // Escape cancels the extraction, and it is also the shortcut of 終了: a press made during the
  // batch but read only after it (the last page just done) must not quit the program. The
  // shortcut is off for the batch, and what input is waiting when it ends is taken while the
  // window is still disabled.
  exit_action->setEnabled(false);
  struct AtEnd {
    MainWindow* window;
    ~AtEnd() {
      QApplication::processEvents();
      window->exit_action->setEnabled(true);
      window->setEnabled(true);
      // The keys go back to the window, wherever the batch's windows left the focus.
      window->activateWindow();
    }
  } at_end{this};
  ConvertWorkList(work_list, *conversion_, progress_, convert_file);
  if (on_top_action->isChecked()) SetAlwaysOnTop(this, true);
}

// The chosen files that exist, in the dialog's order; no extension test, no shortcuts.
void MainWindow::OpenFiles() {
  if (!open_dialog->Execute()) return;
  std::vector<std::string> work_list;
  for (const QString& file : open_dialog->files) {
    const std::string path = PathBytes(file);
    if (FileExists(path)) work_list.push_back(path);
  }
  RunWorkList(work_list);
}

void MainWindow::ShowOptions() {
  OptionsDialog options(this);
  options.exec();
}

void MainWindow::ToggleToolBar() { tool_bar->setVisible(tool_bar_action->isChecked()); }

void MainWindow::ToggleStatusBar() { status_bar->setVisible(status_bar_action->isChecked()); }

void MainWindow::ToggleOnTop() { SetAlwaysOnTop(this, on_top_action->isChecked()); }

void MainWindow::OpenReadme() {
  const std::string readme = ReadmeFilePathFor(ExecutablePath());
  QDesktopServices::openUrl(QUrl::fromLocalFile(PathText(readme)));
}

void MainWindow::OpenHomePage() { QDesktopServices::openUrl(QUrl(LUMENQUILL_HOME_URL)); }

}  // namespace lumenquill
