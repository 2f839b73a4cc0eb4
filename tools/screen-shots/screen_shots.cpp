// screen-shots [output-directory] [how-to-play text file]
//
// Renders the help, information and result screens to PNG files, the training
// results once per character. Run with QT_QPA_PLATFORM=offscreen on a machine
// without a display; QT_SCALE_FACTOR=2 shows the high-density rendering.

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

#include "assets/pictures/picture_library.h"
#include "screens/form_kit.h"
#include "screens/help_screens.h"
#include "screens/how_to_play_screen.h"
#include "screens/result_dialogs.h"
#include "screens/training_result_dialog.h"

namespace {

bool save(QWidget& screen, const QDir& dir, const QString& file) {
  const QString path = dir.filePath(file);
  if (!screen.grab().save(path)) {
    std::fprintf(stderr, "screen-shots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  glamora::installFontSubstitutions();
  const QDir dir(argc > 1 ? argv[1] : ".");
  if (!QDir().mkpath(dir.path())) return 1;

  glamora::PictureLibrary library;
  glamora::HelpScreens help(library);
  glamora::ResultDialogs results(library);
  if (argc > 2) {
    QFile text(argv[2]);
    if (text.open(QIODevice::ReadOnly)) help.howToPlay().setText(QString::fromUtf8(text.readAll()));
  }

  using glamora::Dialog;
  using glamora::HelpScreen;
  bool ok = save(help.screen(HelpScreen::OperationTable), dir, "sousa.png") &&
            save(help.screen(HelpScreen::HowToPlay), dir, "help.png") &&
            save(help.screen(HelpScreen::VisualHelp), dir, "vhelp.png") &&
            save(help.screen(HelpScreen::Technique), dir, "teku.png") &&
            save(help.screen(HelpScreen::Characters), dir, "ch.png") &&
            save(help.screen(HelpScreen::About), dir, "about.png") &&
            save(results.dialog(Dialog::PlayerOneWins), dir, "mw1.png") &&
            save(results.dialog(Dialog::PlayerTwoWins), dir, "mw2.png") &&
            save(results.dialog(Dialog::TrainingWon), dir, "sw.png") &&
            save(results.dialog(Dialog::TrainingLost), dir, "sl.png");
  results.setTrainingCharacter(glamora::Character::Mirabe);
  ok = ok && save(results.dialog(Dialog::TrainingWon), dir, "sw-mirabe.png") &&
       save(results.dialog(Dialog::TrainingLost), dir, "sl-mirabe.png");
  return ok ? 0 : 1;
}
