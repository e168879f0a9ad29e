#pragma once
// The editor's core speaks UTF-8 and file names as bytes; Qt speaks QString.
#include <QFile>
#include <QString>
#include <string>
#include <string_view>

namespace quorel::editor {

inline QString qtText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string plainText(const QString& text) { return text.toStdString(); }

inline QString qtFileName(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }
inline std::string plainFileName(const QString& name) { return QFile::encodeName(name).toStdString(); }

}  // namespace quorel::editor
