// x11_window: what the end-to-end tests need of X that xdotool lacks.
//   x11_window wait TITLE SECONDS [SKIP_ID]              waits until a window so titled is mapped
//   x11_window close-when-shown TITLE SECONDS [SKIP_ID]  then at once asks it to close, as a window
//                                                       manager does when its close button is pressed
// Both print the window's id (decimal, as xdotool prints it) and exit 0, or exit 1 when no such
// window was mapped in time; SKIP_ID leaves one window out. Exit 2 on bad use or no display.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// A window may go away between being listed and being asked about: not an error here.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

bool hasTitle(Display* display, Window window, const char* title) {
  XTextProperty name{};
  if (XGetWMName(display, window, &name) == 0 || name.value == nullptr) return false;
  const bool same = name.format == 8 && std::string(reinterpret_cast<const char*>(name.value), name.nitems) == title;
  XFree(name.value);
  return same;
}

bool isMapped(Display* display, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

Window findMapped(Display* display, const char* title, Window skip) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    if (children[i] != skip && isMapped(display, children[i]) && hasTitle(display, children[i], title)) {
      found = children[i];
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

// Looks again after every change among the top-level windows, until one fits or time is up.
Window waitMapped(Display* display, const char* title, double seconds, Window skip) {
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    if (const Window window = findMapped(display, title, skip)) return window;
    while (XPending(display) == 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return 0;
      pollfd connection{ConnectionNumber(display), POLLIN, 0};
      poll(&connection, 1, static_cast<int>(left));
    }
    XEvent event;
    XNextEvent(display, &event);
  }
}

void askToClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
}

int usage() {
  std::fputs("usage: x11_window wait|close-when-shown TITLE SECONDS [SKIP_ID]\n", stderr);
  return 2;
}

int run(Display* display, int argc, char** argv) {
  const std::string command = argv[1];
  if ((command != "wait" && command != "close-when-shown") || argc < 4 || argc > 5) return usage();
  const Window skip = argc == 5 ? static_cast<Window>(std::strtoul(argv[4], nullptr, 10)) : 0;
  const Window window = waitMapped(display, argv[2], std::strtod(argv[3], nullptr), skip);
  if (window == 0) return 1;
  if (command == "close-when-shown") askToClose(display, window);
  std::printf("%lu\n", window);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return usage();
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fputs("x11_window: cannot open the display\n", stderr);
    return 2;
  }
  XSetErrorHandler(ignoreErrors);
  const int status = run(display, argc, argv);
  XCloseDisplay(display);
  return status;
}
