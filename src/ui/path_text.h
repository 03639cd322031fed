#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace lumenquill {

// The one conversion of paths between Qt's text and the program's byte strings, which hold
// paths as the file system names them.
inline std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
inline QString PathText(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace lumenquill
