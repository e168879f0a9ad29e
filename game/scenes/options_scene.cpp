#include "game/scenes/options_scene.h"

#include <string>

#include "game/presentation/screen.h"
#include "game/presentation/text.h"
#include "game/presentation/tile_transition.h"
#include "game/shell/scene_steps.h"
#include "game/shell/settings.h"

namespace quorel {

namespace {

enum OptionEntry : int {
  kBgm = 0,
  kSoundEffects = 1,
  kJoystick = 2,
  kFadeInOut = 3,
  kDrawLevel = 4,
  kGameWait = 5,
  kRankingInit = 6,
  kReturnToTitle = 7,
};

// The entries; the first five are switches shown with their off and on texts.
struct OptionLine {
  const char* label;
  const char* offText;
  const char* onText;
};
constexpr OptionLine kOptionLines[OptionsScene::kEntries] = {
    {"BGM", "OFF", "ON"},
    {"SE ", "OFF", "ON"},
    {"JOY STICK", "OFF", "ON"},
    {"FADE IN/OUT", "OFF", "ON"},
    {"DRAW LEVEL", "LOW", "HI"},
    {"GAME WAIT", nullptr, nullptr},
    {"RANKING INIT", nullptr, nullptr},
    {"RETURN TO TITLE", nullptr, nullptr},
};
constexpr int kLastSwitch = kDrawLevel;

constexpr const char* kHeading = "----------(((( OPTION ))))----------";
constexpr int kHeadingX = 32, kHeadingY = 50;
constexpr int kLabelX = 210;
constexpr int kValueX = 420;  // "ON" and "HI" stand half a character further right
constexpr int kGameWaitX = 428;
constexpr int kFirstLineY = 120;
constexpr int kLineSpacing = 40;
constexpr Rect kHighlightBar{0, 18, 321, 36};
constexpr int kHighlightX = 170;
constexpr int kHighestGameWait = 99;
constexpr int kNoRecord = 999;
constexpr std::uint32_t kFramePeriod = 100;

int lineY(int entry) { return kFirstLineY + kLineSpacing * entry; }

bool& switchOf(TForm1& form, bool& joystickChoice, int entry) {
  Settings& s = form.settings;
  switch (entry) {
    case kBgm: return s.bgm;
    case kSoundEffects: return s.se;
    case kJoystick: return joystickChoice;
    case kFadeInOut: return s.fadeInOut;
    case kDrawLevel:
    default: return s.drawLevel;
  }
}

// The entrance's greens are a shade deeper than the shimmer of every later frame.
std::uint32_t entranceSquare(TForm1& form) {
  const int green = 32 + form.randomNumber() % 32;
  return colourOf(0, green, form.randomNumber() % 32);
}

std::uint32_t shimmerSquare(TForm1& form) {
  const int green = 32 + form.randomNumber() % 16;
  return colourOf(0, green, form.randomNumber() % 32);
}

}  // namespace

void OptionsScene::pass(TForm1& form) {
  if (!optionsReady) setUp(form);
  const bool sideways = form.input(kInputLeft) || form.input(kInputRight);
  if (!sideways && !form.input(kButton1)) confirmLatch = false;
  drawPage(form);
  moveCursor(form);
  if (optionCursor == kGameWait) changeGameWait(form);
  drawHighlight(form);
  act(form);
  // Read on every pass, whatever the latch; a pass that has already left does not leave again.
  if (optionsReady && escapeDown(form)) {
    waitForEscapeRelease(form);
    leave(form);
    confirmLatch = true;
  }
  form.frameWait(kFramePeriod);
  form.present();
  form.clear();
}

void OptionsScene::setUp(TForm1& form) {
  if (Surface* work = form.pictures.work.get()) {
    form.colourFill({0, 0, kScreenWidth, kScreenHeight}, *work, kColourBlack);
    if (form.settings.drawLevel) coverWithMosaic(*work, [&form] { return entranceSquare(form); });
  }
  form.tileTransition(kTransitionReveal);
  joystickChoice = form.settings.joystick;
  optionsReady = true;
}

void OptionsScene::draw(TForm1& form) {
  drawPage(form);
  drawHighlight(form);
}

void OptionsScene::drawPage(TForm1& form) {
  if (form.settings.drawLevel) {
    coverWithMosaic(form.screen->backBuffer(), [&form] { return shimmerSquare(form); });
  }
  form.drawText(kHeadingX, kHeadingY, kHeading);
  for (int entry = 0; entry < kEntries; ++entry) {
    const OptionLine& line = kOptionLines[entry];
    form.drawText(kLabelX, lineY(entry), line.label);
    if (entry <= kLastSwitch) {
      const bool on = switchOf(form, joystickChoice, entry);
      form.drawText(kValueX + (on ? 8 : 0), lineY(entry), on ? line.onText : line.offText);
    }
  }
  form.drawText(kGameWaitX, lineY(kGameWait), formatNumber(form.settings.gameWait, 2));
}

void OptionsScene::drawHighlight(TForm1& form) {
  form.blit(kHighlightX, lineY(optionCursor) - 2, kHighlightBar, form.pictures.cur.get());
}

// No latch: a held direction moves on every pass, and Up with Down held stays put.
void OptionsScene::moveCursor(TForm1& form) {
  if (form.input(kInputUp)) {
    optionCursor -= 1;
    form.playEffect("tcmove", 0);
  }
  if (form.input(kInputDown)) {
    optionCursor += 1;
    form.playEffect("tcmove", 0);
  }
  if (optionCursor < 0) optionCursor = kEntries - 1;
  if (optionCursor >= kEntries) optionCursor = 0;
}

// Repeats on every pass while held. A value above 99 from a hand-made quorel.dat is only lowered.
void OptionsScene::changeGameWait(TForm1& form) {
  int& wait = form.settings.gameWait;
  if (form.input(kInputLeft) && wait > 0) {
    wait -= 1;
    form.playEffect("sdw", 0);
  }
  if (form.input(kInputRight) && wait < kHighestGameWait) {
    wait += 1;
    form.playEffect("sup", 0);
  }
}

void OptionsScene::act(TForm1& form) {
  if (confirmLatch) return;
  const bool sideways = optionCursor <= kLastSwitch && (form.input(kInputLeft) || form.input(kInputRight));
  if (!sideways && !form.input(kButton1)) return;
  switch (optionCursor) {
    case kBgm:
      form.settings.bgm = !form.settings.bgm;
      if (form.settings.bgm) {
        form.playMusic(kTitleMusic);
      } else {
        form.stopMusic();
      }
      form.playEffect("switch", 0);
      break;
    case kSoundEffects:
    case kJoystick:
    case kFadeInOut:
    case kDrawLevel: {
      bool& setting = switchOf(form, joystickChoice, optionCursor);
      setting = !setting;
      // Heard only when the sound effects are on, so switching them off is silent.
      form.playEffect("switch", 0);
      break;
    }
    case kGameWait:
      form.playEffect("switch", 0);
      form.settings.gameWait = 0;
      break;
    case kRankingInit:
      initRanking(form);
      break;
    case kReturnToTitle:
      leave(form);
      break;
    default:
      break;
  }
  confirmLatch = true;
}

// The reset reaches the disk at once, with the settings as they stand, rather than waiting for
// the close: a program that ends without closing then loses neither the reset nor the settings.
void OptionsScene::initRanking(TForm1& form) {
  Settings& s = form.settings;
  s.minRecord.fill(kNoRecord);
  s.continueValue = 1;
  // A file that cannot be written now is written, or reported, at the close.
  (void)writeSettingsFile(settingsFilePath(form.folder), s);
  form.playEffect("del", 0);
}

// The music keeps playing.
void OptionsScene::leave(TForm1& form) {
  form.sceneNumber = kSceneTitle;
  optionCursor = 0;
  form.settings.joystick = joystickChoice;
  optionsReady = false;
  form.tileTransition(kTransitionWhite);
}

}  // namespace quorel
