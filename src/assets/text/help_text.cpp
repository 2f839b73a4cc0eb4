#include "help_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "engine/errors.h"

namespace glamora {

namespace {

// The text is a few pages; a file this large is not ours and would only
// make the start-up slow.
constexpr qint64 kMaxHelpTextBytes = 4 << 20;

[[noreturn]] void cannotOpen(const std::string& path, const std::string& why) {
  throw GameError("遊び方のファイルを開けません: " + path + " (" + why + ")");
}

}  // namespace

QString decodeHelpText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder shiftJis("Shift_JIS");
  if (shiftJis.isValid()) {
    text = shiftJis.decode(bytes);
    if (!shiftJis.hasError()) return text;
  }
  return QString::fromUtf8(bytes);
}

QString readHelpText(const std::string& path) {
  const QString name = QString::fromStdString(path);
  const QFileInfo info(name);
  if (info.exists() && !info.isFile()) cannotOpen(path, "ファイルではありません");
  if (info.size() > kMaxHelpTextBytes) cannotOpen(path, "ファイルが大きすぎます");
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) cannotOpen(path, file.errorString().toStdString());
  const QByteArray bytes = file.read(kMaxHelpTextBytes + 1);
  if (file.error() != QFileDevice::NoError) cannotOpen(path, file.errorString().toStdString());
  if (bytes.size() > kMaxHelpTextBytes) cannotOpen(path, "ファイルが大きすぎます");
  return decodeHelpText(bytes);
}

}  // namespace glamora
