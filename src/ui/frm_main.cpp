#include "ui/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/batch.h"
#include "app/input_rule.h"
#include "app/settings.h"
#include "platform/file_attributes.h"
#include "platform/settings_location.h"
#include "ui/faded_icon.h"
#include "ui/form_font.h"
#include "ui/frm_option.h"
#include "ui/path_text.h"

namespace lumenquill {
namespace {

QAction* MakeAction(QWidget* owner, const char* name, const QString& caption, const QString& hint,
                    const QKeySequence& shortcut = {}) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(name);
  action->setStatusTip(hint);
  action->setToolTip(hint);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

}  // namespace

TfrmMain::TfrmMain(TfrmProg& progress, QWidget* parent) : QMainWindow(parent), progress_(progress) {
  setObjectName("frmMain");
  setWindowTitle(QString::fromStdString(kMainCaption));
  setWindowIcon(QIcon(":/images/lumenquill.svg"));
  setFont(FormFont());
  setMinimumSize(kMainWindowWidth, kMainWindowHeight);
  setAcceptDrops(true);

  OpenDialog = std::make_unique<TOpenDialogEx>(this);
  OpenDialog->Filter = "PDF - Portable Document Format|*.pdf";
  OpenDialog->AllowMultiSelect = true;
  SaveDialog = TSaveDialogEx::ForTextFiles(this);
  ui_ = std::make_unique<QtUserInterface>(this, progress_, *SaveDialog);
  conversion_ = std::make_unique<Conversion>(*ui_);
  ConvertFile = [this](const std::string& file) { return conversion_->ConvertFile(file); };

  BuildMenus();
  BuildToolBar();
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setFixedHeight(20);
  StatusBar1->setSizeGripEnabled(false);
  setStatusBar(StatusBar1);

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);
  Image1 = new QLabel(Panel1);
  Image1->setObjectName("Image1");
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setPixmap(QIcon(":/images/drop.png").pixmap(250, 80));
  auto* layout = new QHBoxLayout(Panel1);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Image1);
  setCentralWidget(Panel1);

  FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::BuildMenus() {
  File1 = menuBar()->addMenu("ファイル(&F)");
  File1->setObjectName("File1");
  PDF1 = MakeAction(this, "PDF1", "開く", "PDFファイルを開く", QKeySequence("Ctrl+O"));
  PDF1->setIcon(QIcon(":/images/open.svg"));
  Exit1 =
      MakeAction(this, "Exit1", "終了(&E)", "アプリケーションの終了", QKeySequence(Qt::Key_Escape));
  File1->addAction(PDF1);
  File1->addSeparator();
  File1->addAction(Exit1);

  Show1 = menuBar()->addMenu("表示(&V)");
  Show1->setObjectName("Show1");
  N10 = MakeAction(this, "N10", "ツールバー", "ツールバーを表示/隠す");
  N11 = MakeAction(this, "N11", "ステータスバー", "ステータスバーを表示/隠す");
  N12 = MakeAction(this, "N12", "常に手前に表示", "ウインドウを常に手前にする/しない",
                   QKeySequence(Qt::Key_F3));
  for (QAction* check : {N10, N11, N12}) check->setCheckable(true);
  N7 = MakeAction(this, "N7", "オプション", "オプション", QKeySequence(Qt::Key_F5));
  N7->setIcon(QIcon(":/images/options.svg"));
  Show1->addActions({N10, N11, N12});
  Show1->addSeparator();
  Show1->addAction(N7);

  Help1 = menuBar()->addMenu("ヘルプ(&H)");
  Help1->setObjectName("Help1");
  Contents1 =
      MakeAction(this, "Contents1", "ReadMe.txt", "ヘルプファイルを開く", QKeySequence(Qt::Key_F1));
  Contents1->setIcon(QIcon(":/images/help.svg"));
  GoHome = MakeAction(this, "GoHome", "最新版の入手", "最新版を入手する");
  GoHome->setIcon(QIcon(":/images/home.svg"));
  Help1->addAction(Contents1);
  Help1->addSeparator();
  Help1->addAction(GoHome);

  // Qt sets the mark of a checkable item before it triggers; the handlers apply the new mark.
  connect(PDF1, &QAction::triggered, this, [this] { ToolButton1Click(); });
  connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
  connect(N7, &QAction::triggered, this, [this] { N7Click(); });
  connect(N10, &QAction::triggered, this, [this] { N10Click(); });
  connect(N11, &QAction::triggered, this, [this] { N11Click(); });
  connect(N12, &QAction::triggered, this, [this] { N12Click(); });
  connect(Contents1, &QAction::triggered, this, [this] { Contents1Click(); });
  connect(GoHome, &QAction::triggered, this, [this] { GoHomeClick(); });
}

void TfrmMain::BuildToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setFixedHeight(28);
  ToolBar1->toggleViewAction()->setEnabled(false);
  // The tool buttons carry their own hints, the menu items' hints being longer.
  const auto add = [this](QAction* action, const QString& hint) {
    auto* button = new QAction(WithFadedDisabledLook(action->icon(), ToolBar1->iconSize()),
                               QString(), ToolBar1);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    connect(button, &QAction::triggered, action, &QAction::trigger);
    ToolBar1->addAction(button);
  };
  add(PDF1, "ファイルを開く");
  ToolBar1->addSeparator();
  add(N7, "オプション");
  ToolBar1->addSeparator();
  add(Contents1, "ヘルプファイルを開く");
  ToolBar1->addSeparator();
  add(GoHome, "最新版を入手する");
  addToolBar(Qt::TopToolBarArea, ToolBar1);
}

// Bounds and switches from the settings file, applied as they stand.
void TfrmMain::FormCreate() {
  const MainWindowSettings settings = ReadMainWindowSettings();
  move(settings.Left, settings.Top);
  resize(std::max(settings.Width, kMainWindowWidth), std::max(settings.Height, kMainWindowHeight));
  if (settings.Zoom) setWindowState(windowState() | Qt::WindowMaximized);
  N10->setChecked(settings.ToolBar);
  N11->setChecked(settings.StatusBar);
  N12->setChecked(settings.OnTop);
  ToolBar1->setVisible(N10->isChecked());
  StatusBar1->setVisible(N11->isChecked());
  if (N12->isChecked()) setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void TfrmMain::showEvent(QShowEvent* event) {
  setWindowTitle(QString::fromStdString(kMainCaption));
  QMainWindow::showEvent(event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  FormClose();
  QMainWindow::closeEvent(event);
}

// A maximised window records Zoom and its normal bounds.
void TfrmMain::FormClose() {
  MainWindowSettings settings;
  settings.Zoom = isMaximized();
  // Left and Top are the frame's corner, as move() takes them; normalGeometry() is the client
  // area's, so the frame of the normal state is added (a maximised frame can be narrower).
  // A window opened maximised and never restored has no normal frame seen; it takes its own.
  const QMargins frame = settings.Zoom && !normal_frame_.isNull() ? normal_frame_ : FrameMargins();
  const QRect bounds = settings.Zoom ? normalGeometry().translated(-frame.left(), -frame.top())
                                     : QRect(pos(), size());
  settings.Left = bounds.x();
  settings.Top = bounds.y();
  settings.Width = bounds.width();
  settings.Height = bounds.height();
  settings.ToolBar = N10->isChecked();
  settings.StatusBar = N11->isChecked();
  settings.OnTop = N12->isChecked();
  WriteMainWindowSettings(settings);
}

QMargins TfrmMain::FrameMargins() const {
  const QRect frame = frameGeometry();
  const QRect client = geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

void TfrmMain::moveEvent(QMoveEvent* event) {
  if (windowState() == Qt::WindowNoState) normal_frame_ = FrameMargins();
  QMainWindow::moveEvent(event);
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
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

void TfrmMain::DropPaths(const std::vector<std::string>& paths) {
  std::vector<std::string> work_list;
  for (const std::string& path : paths) ApplyInputRule(path, work_list);
  RunWorkList(work_list);
}

void TfrmMain::RunWorkList(const std::vector<std::string>& work_list) {
  setEnabled(false);
  struct EnableAtEnd {
    QWidget* window;
    ~EnableAtEnd() { window->setEnabled(true); }
  } enable_at_end{this};
  ConvertWorkList(work_list, *conversion_, progress_, ConvertFile);
  if (N12->isChecked()) SetAlwaysOnTop(this, true);
}

// The chosen files that exist, in the dialog's order; no extension test, no shortcuts.
void TfrmMain::ToolButton1Click() {
  if (!OpenDialog->Execute()) return;
  std::vector<std::string> work_list;
  for (const QString& file : OpenDialog->Files) {
    const std::string path = PathBytes(file);
    if (FileExists(path)) work_list.push_back(path);
  }
  RunWorkList(work_list);
}

void TfrmMain::N7Click() {
  TfrmOption options(this);
  options.exec();
}

void TfrmMain::N10Click() { ToolBar1->setVisible(N10->isChecked()); }

void TfrmMain::N11Click() { StatusBar1->setVisible(N11->isChecked()); }

void TfrmMain::N12Click() { SetAlwaysOnTop(this, N12->isChecked()); }

void TfrmMain::Contents1Click() {
  const std::string readme = ReadmeFilePathFor(ExecutablePath());
  QDesktopServices::openUrl(QUrl::fromLocalFile(PathText(readme)));
}

void TfrmMain::GoHomeClick() { QDesktopServices::openUrl(QUrl(LUMENQUILL_HOME_URL)); }

}  // namespace lumenquill
