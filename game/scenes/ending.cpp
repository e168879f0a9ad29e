#include "game/scenes/ending.h"

#include <string>
#include <string_view>

#include "game/presentation/screen.h"
#include "game/presentation/tile_transition.h"
#include "game/shell/scene_steps.h"

namespace quorel {

namespace {

constexpr Rect kTitleBand{0, 0, 640, 60};
constexpr int kTitleBandY = 30;
constexpr std::uint32_t kPlainSleep = 1000;
constexpr int kShortSetLimit = 15;  // a user set below this stage limit ends without the roll
constexpr int kRollCentre = 300;
constexpr int kRollStart = 480;
constexpr int kRollStep = 2;
constexpr int kAttendFrame = 748;
constexpr int kCreditY = 220;

constexpr const char* kAchieved = "You achieved the puzzle of QUOREL!!";
constexpr const char* kThanks = "Thank you for your playing!!";
constexpr const char* kMapDesign = "MAP DESIGN : ";

// A line of the staff roll and its distance below the roll's top. The line without a text is
// the designer line of the set being played.
struct RollLine {
  const char* text;
  int offset;
};
constexpr RollLine kStaffRoll[] = {
    {"- STAFF -", 0},
    {"GAME DESIGN", 80},
    {"TEAM QUOREL", 100},
    {"PROGRAM", 180},
    {"TEAM QUOREL CODERS", 200},
    {"MAP DESIGN", 280},
    {nullptr, 300},
    {"BGM", 380},
    {"TEAM QUOREL COMPOSERS", 400},
    {"SOUND EFFECT", 480},
    {"TEAM QUOREL SOUND CREW", 500},
    {"TEST PLAYER", 580},
    {"TEAM QUOREL TESTERS", 600},
    {"THE STAGE SOLVER", 616},
    {"SPECIAL THANKS", 696},
    {"ALL STAGE DESIGNERS", 716},
    {"ALL PUZZLE FANS", 732},
    {"ALL OUR FRIENDS", 748},
    {"And you...", 795},
};

static_assert(std::string_view(kCreditLine).size() == 25, "the credit line types itself in 25 passes");

bool shortUserSet(const TForm1& form) { return form.userStage && form.stageSet.stageLimit < kShortSetLimit; }

// Each roll line is centred on x = 300 by its number of characters.
int centredX(std::string_view text) { return kRollCentre - 16 * static_cast<int>(text.size() / 2); }

SurfacePtr Pictures::*const kEndingPictures[] = {&Pictures::endingback, &Pictures::endingback2,
                                                  &Pictures::endingfont};

}  // namespace

void Ending::pass(TForm1& form) {
  if (!endingReady) setUp(form);
  // The roll's last pass (750) also starts the credit line.
  const int t = endingFrame;
  if (t >= 0 && t <= 30) congratulate(form);
  if (t >= 31 && t <= kSpreadEnds) spreadApart(form, t);
  if (t > kSpreadEnds && t <= kRollEnds) scrollRoll(form, t);
  if (t >= kRollEnds && t <= kCreditTyped) typeCredit(form, t);
  if (t > kCreditTyped && t < kFinish) showCredit(form);
  if (endingFrame >= kFinish) finish(form);
  endingFrame += 1;
  form.present();
  form.clear();
}

// The ending's pictures live only while it runs. The sleep between the two reveals is a plain
// one: window messages wait, and Shift does not shorten it.
void Ending::setUp(TForm1& form) {
  for (SurfacePtr Pictures::*picture : kEndingPictures) form.loadPicture(picture);
  if (form.settings.bgm) form.playMusic(kEndingMusic);
  Surface* work = form.pictures.work.get();
  if (work) form.colourFill(kScreenRect, *work, kColourBlack);
  form.colourFill(kScreenRect, form.screen->backBuffer(), kColourWhite);
  if (work) keyedBlit(*work, 0, 0, kScreenRect, form.pictures.endingback.get());
  form.tileTransition(kTransitionReveal);
  // A close asked for during the reveal is not kept waiting a second.
  if (!form.closing()) form.platform.clock().sleep(kPlainSleep);
  if (work) keyedBlit(*work, 0, kTitleBandY, kTitleBand, form.pictures.endingfont.get());
  form.tileTransition(kTransitionReveal);
  endingReady = true;
}

void Ending::drawCongratulation(TForm1& form, double spread) {
  form.blit(0, 0, kScreenRect, form.pictures.endingback.get());
  form.blit(0, kTitleBandY, kTitleBand, form.pictures.endingfont.get());
  form.drawText(10, static_cast<int>(120 + spread), kAchieved);
  form.drawText(70, static_cast<int>(180 - spread), kThanks);
  if (shortUserSet(form)) form.drawText(static_cast<int>(10 + spread), 440, kMapDesign + form.stageSet.designer);
}

void Ending::congratulate(TForm1& form) {
  drawCongratulation(form, 0.0);
  form.frameWait(70);
}

// The first text falls, the second rises and the designer runs off to the right, faster each
// pass.
void Ending::spreadApart(TForm1& form, int t) {
  spreadOffset += spreadSpeed;
  spreadSpeed += 0.5;
  drawCongratulation(form, spreadOffset);
  form.frameWait(40);
  if (t != kSpreadEnds) return;
  spreadOffset = 0.0;
  spreadSpeed = 0.0;
  if (shortUserSet(form)) {
    endingFrame = kFinish;
    return;
  }
  if (Surface* work = form.pictures.work.get()) opaqueCopy(*work, 0, 0, kScreenRect, form.pictures.endingback2.get());
  form.tileTransition(kTransitionReveal);
}

void Ending::drawStaffRoll(TForm1& form) {
  form.blit(0, 0, kScreenRect, form.pictures.endingback2.get());
  for (const RollLine& line : kStaffRoll) {
    const std::string_view text = line.text ? std::string_view(line.text) : std::string_view(form.stageSet.designer);
    form.drawText(centredX(text), rollTop + line.offset, text);
  }
}

// 650 passes: the roll rises from 480 to -818, when its last line has just left the screen.
void Ending::scrollRoll(TForm1& form, int t) {
  drawStaffRoll(form);
  form.frameWait(45);
  rollTop -= kRollStep;
  if (t == kAttendFrame) form.playEffect("attend", 0);
  if (t == kRollEnds) rollTop = kRollStart;
}

// One more character each pass, the line moving 16 pixels left, so its right end stays put.
void Ending::typeCredit(TForm1& form, int t) {
  form.blit(0, 0, kScreenRect, form.pictures.endingback2.get());
  const std::string_view credit(kCreditLine);
  form.drawText(12490 - 16 * t, kCreditY, credit.substr(0, static_cast<std::size_t>(t - kRollEnds)));
  form.frameWait(90);
}

// The only time the ending listens: button 1 ends it at once, held from before or not.
void Ending::showCredit(TForm1& form) {
  form.blit(0, 0, kScreenRect, form.pictures.endingback2.get());
  form.drawText(90, kCreditY, kCreditLine);
  if (form.input(kButton1)) endingFrame = kFinish;
  form.frameWait(90);
}

void Ending::finish(TForm1& form) {
  backToTitle(form, MusicOnLeaving::KeepPlaying);
  for (SurfacePtr Pictures::*picture : kEndingPictures) (form.pictures.*picture).reset();
  endingReady = false;
  endingFrame = -1;
}

}  // namespace quorel
