#include "help_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>

#include "engine/errors.h"
#include "engine/text_checks.h"

namespace glamora {

namespace {

// The text is a few pages; a file this large is not ours and would only
// make the start-up slow.
constexpr qint64 kMaxHelpTextBytes = 4 << 20;

[[noreturn]] void cannotOpen(const std::string& path, const Message& why) {
  throw GameError(
      Message("Message", "遊び方のファイルを開けません: %1 (%2)").arg(Message::fixed(printableText(path))).arg(why));
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
  if (info.exists() && !info.isFile()) cannotOpen(path, Message("Message", "ファイルではありません"));
  if (info.size() > kMaxHelpTextBytes) cannotOpen(path, Message("Message", "ファイルが大きすぎます"));
  QFile file(name);
  // QFile's reasons are English: the error box says it in the game's words.
  if (!file.open(QIODevice::ReadOnly))
    cannotOpen(path, systemErrorText(!info.exists() ? ENOENT : !info.isReadable() ? EACCES : EIO));
  const QByteArray bytes = file.read(kMaxHelpTextBytes + 1);
  if (file.error() != QFileDevice::NoError) cannotOpen(path, systemErrorText(EIO));
  if (bytes.size() > kMaxHelpTextBytes) cannotOpen(path, Message("Message", "ファイルが大きすぎます"));
  return decodeHelpText(bytes);
}

}  // namespace glamora
