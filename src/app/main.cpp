// Glamora: a puzzle game of cosmetics for one keyboard.
//   glamora [--lobby HOST[:PORT]] [--lang ja|en]       the game
//   glamora --replay FILE [--round N] [--lang ja|en]   watch a round of a kept session again
//   glamora --help | --version
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

#include "app/clock_driver.h"
#include "app/command_line.h"
#include "app/data_directory.h"
#include "app/display_size.h"
#include "app/glamora_app.h"
#include "app/language.h"
#include "app/quit_on_signal.h"
#include "app/session_journal.h"
#include "assets/media/audio_output.h"
#include "assets/media/midi_source.h"
#include "modes/replay_window.h"
#include "screens/form_kit.h"

namespace {

int replay(const std::string& file, int round) {
  glamora::quitOnTerminationSignals();
  glamora::PictureLibrary pictures;
  QApplication::setQuitOnLastWindowClosed(true);
  // The program ends when no window of it is left: the replay, an error box,
  // or nothing at all (中止 before the round was found).
  const auto quitWhenNoneShows = [] {
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (std::none_of(windows.begin(), windows.end(), [](const QWidget* w) { return w->isVisible(); }))
      QCoreApplication::quit();
  };
  int status = 0;
  const bool read = glamora::openReplay(file, round, pictures, nullptr, [&](glamora::ReplayWindow* window) {
    if (!window) {
      status = 1;
      QTimer::singleShot(0, quitWhenNoneShows);
      return;
    }
    // The window shows itself once it has found the round. Cancelled
    // before, it goes without a window having closed; when the round is
    // missing, its error box stays until it is closed.
    QObject::connect(window, &QObject::destroyed, quitWhenNoneShows);
  });
  if (!read) {
    // The error box is showing; the program ends when it is closed.
    QApplication::exec();
    return 1;
  }
  const int exitCode = QApplication::exec();
  return status != 0 ? status : exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  const glamora::CommandLine command = glamora::readCommandLine(argc, argv);
  switch (command.action) {
    case glamora::CommandLine::Action::help: std::cout << glamora::helpText(); return 0;
    case glamora::CommandLine::Action::version: std::cout << glamora::versionText(); return 0;
    case glamora::CommandLine::Action::bad:
      std::cerr << "glamora: " << command.problem << "\n" << glamora::usageText();
      return 2;
    default: break;
  }
  // Qt would abort without a display; the game and the replay both say so instead.
  if (const std::string problem = glamora::missingDisplayProblem(std::getenv); !problem.empty()) {
    std::cerr << "glamora: " << problem << "\n";
    return 1;
  }
  glamora::readKeptSettingsBeforeStart();
  // Qt sees no argument of the game's: a replay file named like one of Qt's
  // own options stays a file name.
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  QApplication::setApplicationName(glamora::kAppTitle);
  // --lang for this run, else the language kept from the menu, else Japanese.
  const std::string chosen =
      !command.language.empty() ? command.language : glamora::settingsAtStart().settings.language;
  const glamora::Language language = glamora::languageOfCode(chosen).value_or(glamora::Language::Japanese);
  if (!glamora::useLanguage(language)) std::cerr << "glamora: the translation '" << chosen << "' cannot be loaded\n";
  glamora::installFontSubstitutions();
  if (command.action == glamora::CommandLine::Action::replay) return replay(command.replayFile, command.round);

  // Each of the music, voices and help text is read from the working
  // directory when it is there, from the checkout's data/ (the program in the
  // build tree) or the installed data directory otherwise.
  std::error_code noWorkingDirectory;
  std::filesystem::path working = std::filesystem::current_path(noWorkingDirectory);
  if (noWorkingDirectory) working = ".";
  const std::vector<std::filesystem::path> dataPlaces =
      glamora::dataPlaces(working, glamora::checkoutDataDirectory(), glamora::installedDataDirectory());
  const std::string sessions =
      QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("sessions").toStdString();
  // GLAMORA_SYNTH_SILENT=1 synthesises and mixes the sound even with no sound
  // card, so that scripts/measure counts its cost.
  const bool renderWhenSilent = qEnvironmentVariableIntValue("GLAMORA_SYNTH_SILENT") == 1;
  // The music's SoundFont loads in the background only when the sound will be
  // heard (or measured), and not before the title is on its way to the screen.
  glamora::media::MediaLibrary media(glamora::media::openAudioOutput(renderWhenSilent, [] {
    QMetaObject::invokeMethod(
        qApp, [] { glamora::media::loadSoundFontAhead(glamora::media::defaultSoundFonts()); }, Qt::QueuedConnection);
  }));
  glamora::GlamoraApp game(media, glamora::firstPlaceHolding(dataPlaces), sessions, command.lobby);
  game.setDataPlaces(dataPlaces);
  glamora::SessionJournal journal(game.session(), sessions, QDateTime::currentDateTime());
  game.records().watch(game.session(), journal.fileName(), journal.startedText());
  glamora::ClockDriver driver(game.clock());
  driver.setResting([&game] { return game.restingOnTitle(); });
  glamora::quitOnTerminationSignals();
  game.title().show();
  glamora::centreOnScreen(&game.title());
  // Its Alt+letters work at once, also where no window manager gives it the keys.
  game.title().activateWindow();
  game.buildGameScreensAfterTitle();
  driver.start();
  const int status = application.exec();
  journal.finish();
  return status;
}
