#include "quit_on_signal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace glamora {

namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe.
void onSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

void quitOnTerminationSignals() {
  if (signalPipe[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    char byte;
    [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
    // exit(), not quit(): a window that refuses to close (a check that fails in
    // the editor) or a modal result dialog must not keep the program alive.
    QCoreApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  // SIGHUP too: the terminal that started the game was closed.
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace glamora
