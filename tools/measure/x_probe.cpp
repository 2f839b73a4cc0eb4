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
//   x-probe damage NAME COUNT MS CHORD...
//                                        focuses the mapped window whose title
//                                        contains NAME and presses COUNT times,
//                                        the chords in turn, MS ("125") or
//                                        MIN-MAX ("100-150", drawn at random)
//                                        apart; prints for each press the ms
//                                        to the window's first DAMAGE event
//                                        after it, or "-" when none came
//                                        within a second
// Exits 1 after 30 s without the window.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

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

// The topmost viewable child of the root whose title contains `name`: with
// no window manager, a program's top-level window.
Window findWindow(Display* display, const std::string& name) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return None;
  Window found = None;
  for (unsigned i = count; i-- > 0 && found == None;) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
        windowTitle(display, children[i]).find(name) != std::string::npos)
      found = children[i];
  }
  if (children) XFree(children);
  return found;
}

// Waits for the DamageNotify of `damage`; the ms since `pressed`, or nothing
// by `deadline`.
std::optional<double> waitForDamage(Display* display, int damageEvent, Damage damage, Clock::time_point pressed,
                                    Clock::time_point deadline) {
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  for (;;) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == damageEvent + XDamageNotify && reinterpret_cast<XDamageNotifyEvent&>(event).damage == damage)
        return msSince(pressed);
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    poll(&fd, 1, static_cast<int>(left));
  }
}

// Key to screen: each press, from the moment it is sent to the first damage
// to the window's contents after it. The damage is reported once it is no
// longer empty and emptied again before each press, so a press is timed to
// the first drawing the server does after it.
int damageTimes(Display* display, const std::string& name, int count, const std::string& spacing,
                const std::vector<std::string>& chords) {
  int damageEvent = 0, damageError = 0, major = 1, minor = 1;
  if (!XDamageQueryExtension(display, &damageEvent, &damageError) || !XDamageQueryVersion(display, &major, &minor)) {
    std::fprintf(stderr, "x-probe: the X server has no DAMAGE extension\n");
    return 2;
  }
  const std::size_t dash = spacing.find('-');
  const int minMs = std::atoi(spacing.c_str());
  const int maxMs = dash == std::string::npos ? minMs : std::atoi(spacing.c_str() + dash + 1);
  if (count < 1 || minMs < 1 || maxMs < minMs) {
    std::fprintf(stderr, "x-probe: COUNT must be at least 1 and MS a positive number or a range MIN-MAX\n");
    return 2;
  }
  const Window window = findWindow(display, name);
  if (window == None) {
    std::fprintf(stderr, "x-probe: no mapped window '%s'\n", name.c_str());
    return 1;
  }
  const Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> gap(minMs, maxMs);
  for (int i = 0; i < count; ++i) {
    // Empty the damage, and drop what was reported of it before.
    XDamageSubtract(display, damage, None, None);
    XSync(display, False);
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
    }
    const Clock::time_point pressed = Clock::now();
    pressChord(display, chords[static_cast<std::size_t>(i) % chords.size()]);
    const std::optional<double> ms =
        waitForDamage(display, damageEvent, damage, pressed, pressed + std::chrono::seconds(1));
    if (ms) std::printf("%.3f\n", *ms);
    else std::printf("-\n");
    std::fflush(stdout);
    std::this_thread::sleep_until(pressed + std::chrono::milliseconds(gap(random)));
  }
  XDamageDestroy(display, damage);
  XSync(display, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (!((command == "start" && argc > 3) || (command == "key" && argc == 4) || (command == "press" && argc > 2) ||
        (command == "damage" && argc > 5))) {
    std::fprintf(stderr,
                 "usage: x-probe start NAME PROGRAM [ARG...] | key NAME CHORD | press CHORD...\n"
                 "       x-probe damage NAME COUNT MS|MIN-MAX CHORD...\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "x-probe: cannot open the display\n");
    return 2;
  }
  if (command == "damage")
    return damageTimes(display, argv[2], std::atoi(argv[3]), argv[4], std::vector<std::string>(argv + 5, argv + argc));
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
