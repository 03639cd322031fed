// Writes the lines of a UTF-8 text file on one A5 page with Qt's QPdfWriter.
//     qpdfwriter OUTPUT.pdf TEXT.txt FONT-FAMILY
// Built and run by tools/make_producer_data.py (QT_QPA_PLATFORM=offscreen).

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 4) return 2;
  QFile input(QString::fromLocal8Bit(argv[2]));
  if (!input.open(QIODevice::ReadOnly)) return 1;
  const QStringList lines = QString::fromUtf8(input.readAll()).split('\n', Qt::SkipEmptyParts);

  QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
  writer.setPageSize(QPageSize(QPageSize::A5));
  writer.setResolution(72);
  writer.setCreator("Lumenquill test data");
  writer.setTitle(lines.value(0));
  QPainter painter(&writer);
  QFont font(QString::fromLocal8Bit(argv[3]));
  font.setPointSize(12);
  painter.setFont(font);
  int y = 40;
  for (const QString& line : lines) {
    painter.drawText(20, y, line);
    y += 24;
  }
  return painter.end() ? 0 : 1;
}
