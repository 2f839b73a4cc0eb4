// Glamora: a puzzle game of cosmetics for one keyboard.
#include <QApplication>
#include <QDir>

#include "app/glamora_app.h"
#include "assets/media/audio_output.h"
#include "screens/form_kit.h"
#include "screens/qt_scheduler.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(glamora::kAppTitle);
  glamora::installFontSubstitutions();

  // The directory the program was started in holds the music, voices and help text.
  const std::string directory = QDir::currentPath().toStdString();
  glamora::QtScheduler scheduler;
  // GLAMORA_SYNTH_SILENT=1 synthesises and mixes the sound even with no sound
  // card, so that scripts/measure counts its cost.
  const bool renderWhenSilent = qEnvironmentVariableIntValue("GLAMORA_SYNTH_SILENT") == 1;
  glamora::media::MediaLibrary media(glamora::media::openAudioOutput(renderWhenSilent));
  glamora::GlamoraApp game(scheduler, media, directory);
  game.title().show();
  glamora::centreOnScreen(&game.title());
  return application.exec();
}
