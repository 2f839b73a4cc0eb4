// Glamora: a puzzle game of cosmetics for one keyboard.
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "app/glamora_app.h"
#include "assets/media/audio_output.h"
#include "assets/media/midi_source.h"
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
  // The music's SoundFont loads in the background once the title is on its
  // way to the screen, well before the start-up step opens the music.
  QTimer::singleShot(0, [] { glamora::media::loadSoundFontAhead(glamora::media::defaultSoundFonts()); });
  return application.exec();
}
