#include "settings_keeper.h"

#include <iostream>

namespace glamora {

namespace {

SettingsAtStart& startSettings() {
  static SettingsAtStart settings;
  return settings;
}

}  // namespace

SettingsKeeper::SettingsKeeper(QString path, KeptSettings read)
    : path_(std::move(path)), read_(read), written_(read), displaySize_(read.displaySize), controls_(read.controls) {}

void SettingsKeeper::restore(Session& session) { applySettings(session, read_); }

void SettingsKeeper::keep(const Session& session) {
  KeptSettings now = settingsOf(session, displaySize_);
  now.controls = controls_;
  if (path_.isEmpty() || now == written_) return;
  if (!writeSettingsFile(path_, now)) {
    if (!writeFailed_) std::cerr << "glamora: cannot write the settings to " << path_.toStdString() << "\n";
    writeFailed_ = true;
    return;
  }
  writeFailed_ = false;
  written_ = now;
}

void SettingsKeeper::erase(Session& session) {
  displaySize_ = KeptSettings{}.displaySize;
  applySettings(session, KeptSettings{});
  keep(session);
}

void SettingsKeeper::chooseDisplaySize(DisplaySize size, const Session& session) {
  displaySize_ = size;
  keep(session);
}

void SettingsKeeper::chooseControls(ControlSettings controls, const Session& session) {
  controls_ = std::move(controls);
  keep(session);
}

const SettingsAtStart& settingsAtStart() { return startSettings(); }

void readSettingsAtStart(const QString& path) {
  SettingsRead read = path.isEmpty() ? SettingsRead{} : readSettingsFile(path);
  if (!read.problem.isEmpty()) {
    std::cerr << "glamora: settings file " << path.toStdString() << " ignored (" << read.problem.toStdString()
              << "); the defaults apply\n";
  }
  startSettings() = {path, std::move(read.settings)};
}

}  // namespace glamora
