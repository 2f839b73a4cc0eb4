#include "control_settings.h"

#include <QRegularExpression>

namespace glamora {

namespace {

const char* const kPlayerGroups[] = {"keys/player1/", "keys/player2/"};
const char* const kActionNames[] = {"left", "select", "right"};  // in kPlayerKeyOrder
constexpr const char* kPads = "pads";

bool isGuid(const QString& text) {
  static const QRegularExpression guid("^[0-9a-f]{32}$");
  return guid.match(text).hasMatch();
}

}  // namespace

QString readControlSettings(QSettings& file, ControlSettings& settings) {
  std::array<std::array<int, 3>, 2> keys{};
  bool anyKey = false;
  for (int p = 0; p < 2; ++p) {
    for (int a = 0; a < 3; ++a) {
      const QString name = QString(kPlayerGroups[p]) + kActionNames[a];
      keys[p][a] = settings.keys.key(p, kPlayerKeyOrder[a]);
      if (!file.contains(name)) continue;
      anyKey = true;
      const QVariant value = file.value(name);
      keys[p][a] = value.typeId() == QMetaType::QString ? keyFromName(value.toString()) : 0;
      if (keys[p][a] == 0) return name + " names no key a player may have";
    }
  }
  if (anyKey) {
    const std::optional<PlayerKeys> read = PlayerKeys::fromKeys(keys);
    if (!read) return "a key is there twice";
    settings.keys = *read;
  }

  std::vector<RememberedSeat> pads;
  const int count = file.beginReadArray(kPads);
  for (int i = 0; i < count && i < kMostRememberedSeats; ++i) {
    file.setArrayIndex(i);
    const QString guid = file.value("guid").toString();
    bool numberOk = false;
    bool playerOk = false;
    const int number = file.value("number").toString().toInt(&numberOk);
    const int player = file.value("player").toString().toInt(&playerOk);
    if (!isGuid(guid) || !numberOk || number < 1 || number > 99 || !playerOk || player < 1 || player > 2) {
      file.endArray();
      return QString("pads/%1 is no remembered gamepad").arg(i + 1);
    }
    pads.push_back({guid.toStdString(), number, player - 1});
  }
  file.endArray();
  settings.pads = std::move(pads);
  return {};
}

void writeControlSettings(QSettings& file, const ControlSettings& settings) {
  for (int p = 0; p < 2; ++p) {
    for (int a = 0; a < 3; ++a) {
      file.setValue(QString(kPlayerGroups[p]) + kActionNames[a], keyName(settings.keys.key(p, kPlayerKeyOrder[a])));
    }
  }
  file.beginWriteArray(kPads, static_cast<int>(settings.pads.size()));
  for (std::size_t i = 0; i < settings.pads.size(); ++i) {
    const RememberedSeat& seat = settings.pads[i];
    file.setArrayIndex(static_cast<int>(i));
    file.setValue("guid", QString::fromStdString(seat.guid));
    file.setValue("number", QString::number(seat.number));
    file.setValue("player", QString::number(seat.player + 1));
  }
  file.endArray();
}

}  // namespace glamora
