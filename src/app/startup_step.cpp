#include "startup_step.h"

#include <QFile>
#include <QStringDecoder>

#include "engine/errors.h"
#include "engine/media_files.h"

namespace glamora {

QString readHelpText(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    throw GameError("遊び方のファイルを開けません: " + path + " (" + file.errorString().toStdString() + ")");
  }
  const QByteArray bytes = file.readAll();
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

bool StartupStep::attempt() {
  try {
    openStartupMedia(effects_, directory_);
    showHelpText_(readHelpText(assetPath(directory_, kHelpTextFile)));
    return true;
  } catch (const GameError& e) {
    // Report each distinct failure once; the step keeps retrying quietly.
    const std::string text = errorBoxText(e.what());
    if (reported_.insert(text).second) effects_.showError(text);
    return false;
  }
}

}  // namespace glamora
