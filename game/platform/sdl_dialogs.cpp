#include <cstdio>

#include "game/platform/sdl_backend.h"

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace quorel::platform {

namespace {

// The game's questions are Japanese, so the buttons answer in Japanese too.
constexpr const char* kYes = "はい";
constexpr const char* kNo = "いいえ";
constexpr const char* kOk = "OK";

// Without a desktop to show a box on, the text still reaches whoever started the program.
// Boxes are not even tried then: SDL's fallback helper program can wait forever without a
// display, and a game that cannot start must still end.
void printInstead(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s (no message box: %s)\n", caption.c_str(), text.c_str(), SDL_GetError());
}

}  // namespace

void SdlDialogs::message(const std::string& text, const std::string& caption) {
  if (!display_.videoReady()) return printInstead(text, caption);
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, kOk},
  };
  const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, display_.window(), caption.c_str(),
                               text.c_str(), 1, buttons, nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) printInstead(text, caption);
}

bool SdlDialogs::askYesNo(const std::string& text, const std::string& caption) {
  if (!display_.videoReady()) {
    printInstead(text, caption);
    return false;
  }
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, kYes},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, kNo},
  };
  const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                               display_.window(), caption.c_str(), text.c_str(), 2, buttons, nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) {
    // Nobody can answer: take the careful answer, as closing the box would.
    printInstead(text, caption);
    return false;
  }
  return pressed == 1;
}

void SdlDialogs::beep() {
  // SDL has no system beep. The beep mode is the fallback for a machine whose sound device
  // failed, so the sound device cannot play it either; the terminal's bell is what is left.
#if defined(__unix__) || defined(__APPLE__)
  if (isatty(STDERR_FILENO) != 0) {
    std::fputc('\a', stderr);
    std::fflush(stderr);
  }
#endif
}

}  // namespace quorel::platform
