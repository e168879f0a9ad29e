#include "game/scenes/logo_scene.h"

#include <climits>
#include <string_view>

#include "game/presentation/tile_transition.h"
#include "game/shell/scene_steps.h"

namespace quorel {

namespace {

enum class LogoDrawing { Nothing, PresenterTyping, PresenterWhole, LogoAssembling, LogoResting };

constexpr int kNoWait = -1;

// The timeline: what the pass at each counter value draws and how long it waits.
struct LogoPhase {
  int first, last;
  LogoDrawing drawing;
  int waitMilliseconds;
};
constexpr LogoPhase kTimeline[] = {
    {0, 0, LogoDrawing::Nothing, kNoWait},
    {1, 7, LogoDrawing::Nothing, 40},
    {8, 8, LogoDrawing::Nothing, kNoWait},
    {9, 25, LogoDrawing::PresenterTyping, 80},
    {26, 40, LogoDrawing::PresenterWhole, 80},
    {41, 50, LogoDrawing::Nothing, 80},
    {51, 69, LogoDrawing::Nothing, kNoWait},
    {70, 99, LogoDrawing::LogoAssembling, 40},
    {100, INT_MAX, LogoDrawing::LogoResting, 40},
};

struct LogoCue {
  int t;
  const char* effect;
};
constexpr LogoCue kCues[] = {{0, "attend"}, {99, "logo"}};

constexpr std::string_view kPresenter = "PRESENTED BY ....";
constexpr int kTypingStarts = 8;  // the pass at t shows the first t - 8 characters
constexpr int kPresenterY = 220;
constexpr int kPresenterX = 160;
constexpr int kAssemblyEnds = 100;
constexpr int kLogoX = 70;
constexpr int kLogoY = 180;
constexpr int kLogoWidth = 532;
constexpr int kLogoRows = 60;
constexpr Rect kRestingLogo{0, 0, kLogoWidth, 59};

const LogoPhase& phaseAt(int t) {
  for (const LogoPhase& phase : kTimeline) {
    if (t >= phase.first && t <= phase.last) return phase;
  }
  return kTimeline[0];
}

// The typed part grows leftward: its right end stays where the whole line will end, less one
// character.
void drawPresenterTyping(TForm1& form, int t) {
  const auto shown = static_cast<std::size_t>(t - kTypingStarts);
  form.drawText(576 - 16 * t, kPresenterY, kPresenter.substr(0, shown));
}

// The rows stand 30 pixels apart around the middle at t = 70 and close up by a pixel a pass,
// one pixel below the resting picture at t = 99.
void drawLogoAssembling(TForm1& form, int t) {
  for (int r = 0; r < kLogoRows; ++r) {
    const int y = (r - kLogoRows / 2) * (kAssemblyEnds - t) + 310 - t;
    form.blit(kLogoX, y, {0, r, kLogoWidth, r + 1}, form.pictures.logo.get());
  }
}

}  // namespace

void LogoScene::pass(TForm1& form) {
  const int t = logoFrame;
  if (!form.input(kButton1)) confirmLatch = false;
  draw(form, t);
  for (const LogoCue& cue : kCues) {
    if (cue.t == t) form.playEffect(cue.effect, 0);
  }
  if (const int wait = phaseAt(t).waitMilliseconds; wait != kNoWait) {
    form.frameWait(static_cast<std::uint32_t>(wait));
  }
  logoFrame += 1;
  if ((!confirmLatch && form.input(kButton1)) || logoFrame == kLogoEnds) handOver(form);
  form.present();
  form.clear();
}

void LogoScene::draw(TForm1& form, int t) {
  switch (phaseAt(t).drawing) {
    case LogoDrawing::Nothing:
      break;
    case LogoDrawing::PresenterTyping:
      drawPresenterTyping(form, t);
      break;
    case LogoDrawing::PresenterWhole:
      form.drawText(kPresenterX, kPresenterY, kPresenter);
      break;
    case LogoDrawing::LogoAssembling:
      drawLogoAssembling(form, t);
      break;
    case LogoDrawing::LogoResting:
      form.blit(kLogoX, kLogoY, kRestingLogo, form.pictures.logo.get());
      break;
  }
}

void LogoScene::handOver(TForm1& form) {
  form.sceneNumber = kSceneTitle;
  form.tileTransition(kTransitionWhite);
  if (form.settings.bgm) form.playMusic(kTitleMusic);
  confirmLatch = true;
}

}  // namespace quorel
