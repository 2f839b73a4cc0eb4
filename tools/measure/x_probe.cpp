// Times windows being mapped, for scripts/measure. With no window manager a
// top-level window is a child of the root window, so its MapNotify arrives
// on the root with no polling and no delay.
//
//   x-probe start NAME PROGRAM [ARG...]  starts PROGRAM, waits for a window
//                                        whose title contains NAME; prints
//                                        "PID MS" (ms from before the fork);
//                                        its output goes to $X_PROBE_LOG
//   x-probe key NAME CHORD               presses CHORD ("alt+b", "ctrl+F1")
//                                        on the focused window, waits for
//                                        NAME; prints MS from the press
//   x-probe press CHORD...               presses each chord, nothing else
// Exits 1 after 30 s without the window.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

std::string windowTitle(Display* display, Window window) {
  const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
          Success &&
      data) {
    title.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  if (title.empty()) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
      title = name;
      XFree(name);
    }
  }
  return title;
}

// Waits for a MapNotify on the root of a window whose title contains `name`.
bool waitForMap(Display* display, const std::string& name) {
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(30);
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  while (Clock::now() < deadline) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && windowTitle(display, event.xmap.window).find(name) != std::string::npos)
        return true;
    }
    poll(&fd, 1, 100);
  }
  return false;
}

void pressChord(Display* display, const std::string& chord) {
  std::vector<KeyCode> codes;
  std::size_t from = 0;
  while (from <= chord.size()) {
    std::size_t plus = chord.find('+', from);
    if (plus == std::string::npos || plus == chord.size() - 1) plus = chord.size();
    std::string part = chord.substr(from, plus - from);
    if (part == "alt") part = "Alt_L";
    else if (part == "ctrl") part = "Control_L";
    else if (part == "shift") part = "Shift_L";
    else if (part == "+") part = "plus";
    const KeySym sym = XStringToKeysym(part.c_str());
    if (sym == NoSymbol) std::fprintf(stderr, "x-probe: unknown key '%s'\n", part.c_str());
    else codes.push_back(XKeysymToKeycode(display, sym));
    from = plus + 1;
  }
  for (KeyCode c : codes) XTestFakeKeyEvent(display, c, True, CurrentTime);
  for (auto c = codes.rbegin(); c != codes.rend(); ++c) XTestFakeKeyEvent(display, *c, False, CurrentTime);
  XFlush(display);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (!((command == "start" && argc > 3) || (command == "key" && argc == 4) || (command == "press" && argc > 2))) {
    std::fprintf(stderr, "usage: x-probe start NAME PROGRAM [ARG...] | key NAME CHORD | press CHORD...\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "x-probe: cannot open the display\n");
    return 2;
  }
  if (command == "press") {
    for (int i = 2; i < argc; ++i) pressChord(display, argv[i]);
    XSync(display, False);
    return 0;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const std::string name = argv[2];
  const Clock::time_point t0 = Clock::now();
  pid_t child = 0;
  if (command == "start") {
    child = fork();
    if (child == 0) {
      close(ConnectionNumber(display));
      // The program's output goes to $X_PROBE_LOG (or nowhere), never into
      // the pipe of whoever reads our answer.
      const char* log = std::getenv("X_PROBE_LOG");
      const int out = open(log ? log : "/dev/null", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out >= 0) {
        dup2(out, 1);
        dup2(out, 2);
        close(out);
      }
      execvp(argv[3], argv + 3);
      std::perror("x-probe: exec");
      _exit(127);
    }
  } else {
    pressChord(display, argv[3]);
  }
  if (!waitForMap(display, name)) {
    std::fprintf(stderr, "x-probe: no window '%s' within 30 s\n", name.c_str());
    return 1;
  }
  const double ms = msSince(t0);
  if (child) std::printf("%d %.2f\n", static_cast<int>(child), ms);
  else std::printf("%.2f\n", ms);
  return 0;
}
