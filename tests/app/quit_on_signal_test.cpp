// SIGTERM, SIGINT and SIGHUP end the program's event loop whatever is open.
#include "app/quit_on_signal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

namespace glamora {
namespace {

// Like the editor with a value that fails its check: the close box is refused.
class RefusingDialog : public QDialog {
 protected:
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

TEST(QuitOnSignal, ATerminationSignalEndsTheLoopEvenWhenAModalWindowRefusesToClose) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    quitOnTerminationSignals();  // installed by the first call only
    RefusingDialog dialog;
    dialog.setModal(true);
    dialog.show();
    QTimer::singleShot(0, [signal] { std::raise(signal); });
    // Should the signal be ignored, the loop ends with another code instead of hanging.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    giveUp.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
  }
}

}  // namespace
}  // namespace glamora
