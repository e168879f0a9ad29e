// The player: a round, cream-furred little creature with a red scarf, drawn part by part, each
// part with its own outline so the parts in front stay readable over the ones behind.
#include <algorithm>
#include <array>
#include <cmath>

#include "tools/assetgen/pictures.h"

namespace assetgen {
namespace {

constexpr Colour kOutline = rgb(62, 34, 44);
constexpr Colour kFur = rgb(252, 238, 208);
constexpr Colour kFurShade = rgb(222, 196, 166);
constexpr Colour kEarInside = rgb(240, 158, 170);
constexpr Colour kCheek = rgb(250, 150, 150);
constexpr Colour kEye = rgb(40, 24, 40);
constexpr Colour kGlint = rgb(255, 255, 255);
constexpr Colour kFoot = rgb(216, 168, 128);
constexpr Colour kScarf = rgb(226, 58, 70);
constexpr Colour kScarfShade = rgb(160, 30, 52);
constexpr Colour kShadow = rgb(24, 28, 40);
constexpr Colour kDust = rgb(176, 182, 198);
constexpr Colour kSweat = rgb(120, 190, 255);
constexpr Colour kGloom = rgb(150, 140, 230);

enum Facing { kRight = 0, kLeft = 1, kDown = 2, kUp = 3 };
enum class Eyes { kOpen, kClosed, kSqueezed, kCrossed };
enum class Stance { kStand, kStrideA, kStrideB, kBrace, kSlump };

struct Pose {
  Facing facing = kDown;
  Eyes eyes = Eyes::kOpen;
  Stance stance = Stance::kStand;
  int lean = 0;     // head forward, in pixels
  int sink = 0;     // head lower, in pixels
  bool paws = false;
  bool dust = false;
  bool sweat = false;
};

Mask ellipseMask(double cx, double cy, double rx, double ry) {
  Image scratch(kTile, kTile);
  scratch.ellipse(cx, cy, rx, ry, 0xFFFFFF);
  Mask m(kTile, kTile);
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) m.set(x, y, scratch.at(x, y) != kClear);
  return m;
}

// A part with its outline; a shade on its lower right gives it volume.
void part(Image& s, const Mask& m, Colour fill, Colour shadeColour = kClear) {
  paint(s, m.grown(true), 0, 0, kOutline);
  paint(s, m, 0, 0, fill);
  if (shadeColour == kClear) return;
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x)
      if (m.at(x, y) && (!m.at(x + 2, y + 1) || !m.at(x + 1, y + 2))) s.set(x, y, shadeColour);
}

void partEllipse(Image& s, double cx, double cy, double rx, double ry, Colour fill, Colour shadeColour = kClear) {
  part(s, ellipseMask(cx, cy, rx, ry), fill, shadeColour);
}

void eye(Image& s, int x, int y, Eyes eyes, bool leftOfPair) {
  switch (eyes) {
    case Eyes::kOpen:
      s.fill(x, y, 2, 3, kEye);
      s.set(x, y, kGlint);
      break;
    case Eyes::kClosed:
      s.hline(x, y + 2, 2, kEye);
      break;
    case Eyes::kSqueezed: {  // > <
      const int tip = leftOfPair ? x + 1 : x - 1;
      const int back = leftOfPair ? x - 1 : x + 1;
      s.set(back, y, kEye);
      s.set(tip, y + 1, kEye);
      s.set(x, y + 1, kEye);
      s.set(back, y + 2, kEye);
      break;
    }
    case Eyes::kCrossed:
      for (int i = -1; i <= 1; ++i) {
        s.set(x + i, y + 1 + i, kEye);
        s.set(x + i, y + 1 - i, kEye);
      }
      break;
  }
}

// Where one frame's parts go: the head centre moves with lean and sink, the rest follows.
struct Figure {
  Image& s;
  const Pose& pose;
  bool side, back, slump;
  double hx, hy;
  int neck;
};

struct Foot { double x, y; };

std::array<Foot, 2> feetOf(const Pose& pose, bool side) {
  std::array<Foot, 2> feet = {{{11.5, 27.5}, {20.5, 27.5}}};
  switch (pose.stance) {
    case Stance::kStand: break;
    case Stance::kStrideA:
      if (side) feet = {{{8.5, 26.5}, {22.5, 27.5}}};
      else feet[0] = {11.5, 25.5};
      break;
    case Stance::kStrideB:
      if (side) feet = {{{12.5, 27.5}, {18.5, 26.5}}};
      else feet[1] = {20.5, 25.5};
      break;
    case Stance::kBrace:
      feet = side ? std::array<Foot, 2>{{{7.5, 27.5}, {19.5, 27.5}}} : std::array<Foot, 2>{{{10.5, 27.5}, {21.5, 27.5}}};
      break;
    case Stance::kSlump: feet = {{{9.5, 28}, {22.5, 28}}}; break;
  }
  return feet;
}

// Ears sit behind the head; they droop when things went wrong.
void drawEars(const Figure& f) {
  if (f.slump) {
    partEllipse(f.s, f.hx - 10, f.hy - 1, 3.8, 2.4, kFur);
    partEllipse(f.s, f.hx + 10, f.hy - 1, 3.8, 2.4, kFur);
    return;
  }
  const double shift = f.side ? -2 : 0;
  for (double dx : {-8.0, 8.0}) {
    partEllipse(f.s, f.hx + dx + shift, f.hy - 8, 3.2, 3.6, kFur);
    if (!f.back) f.s.ellipse(f.hx + dx + shift, f.hy - 7.5, 1.4, 1.9, kEarInside);
  }
}

// The scarf wraps the neck just under the head; its ends fly behind.
void drawScarf(const Figure& f) {
  Image& s = f.s;
  const int hx = int(f.hx), neck = f.neck;
  for (int x = hx - 8; x <= hx + 8; ++x)
    for (int y = neck; y <= neck + 2; ++y)
      if (s.at(x, y) == kFur || s.at(x, y) == kFurShade) s.set(x, y, y == neck + 2 ? kScarfShade : kScarf);
  if (f.side) {
    s.fill(hx - 11, neck, 3, 2, kScarf);
    s.fill(hx - 13, neck + 1, 2, 2, kScarfShade);
  } else if (f.back) {
    s.fill(hx - 1, neck - 1, 3, 3, kScarfShade);
    s.vline(hx - 2, neck + 2, 3, kScarf);
    s.vline(hx + 2, neck + 2, 3, kScarf);
  } else {
    s.fill(hx + 4, neck + 2, 2, 3, kScarf);
    s.set(hx + 4, neck + 4, kScarfShade);
  }
}

void drawFaceDetails(const Figure& f) {
  Image& s = f.s;
  const int hx = int(f.hx), hy = int(f.hy);
  eye(s, f.side ? hx + 1 : hx - 6, hy - 1, f.pose.eyes, true);
  eye(s, f.side ? hx + 7 : hx + 4, hy - 1, f.pose.eyes, false);
  const int cheekY = hy + 3;
  s.hline(f.side ? hx + 8 : hx - 9, cheekY, 2, kCheek);
  s.hline(f.side ? hx - 2 : hx + 7, cheekY, 2, kCheek);
  const int mx = f.side ? hx + 4 : hx - 1;
  if (f.slump) {  // a wobbly frown
    s.set(mx - 1, cheekY + 1, kOutline);
    s.hline(mx, cheekY, 2, kOutline);
    s.set(mx + 2, cheekY + 1, kOutline);
    return;
  }
  for (int i = 0; i < 5; ++i) s.set(mx - 1 + i, cheekY + i % 2, kOutline);  // a small cat mouth
}

// Both paws out against the block.
void drawPaws(const Figure& f) {
  auto paw = [&f](double x, double y) {
    partEllipse(f.s, x, y, 2.1, 1.9, kFur);
    f.s.set(int(x), int(y), kFoot);
  };
  if (f.side) {
    paw(std::min(f.hx + 11, 27.0), 18.5);
    paw(std::min(f.hx + 10, 26.0), 22.5);
  } else if (f.back) {
    paw(f.hx - 11, f.hy - 3);
    paw(f.hx + 11, f.hy - 3);
  } else {
    paw(12, 23.5);
    paw(20, 23.5);
  }
}

// A drop of sweat and the lines of gloom on the brow.
void drawDismay(const Figure& f) {
  Image& s = f.s;
  const int hx = int(f.hx), hy = int(f.hy);
  const int x = hx + (f.back ? -7 : 7), y = hy - 6;
  s.set(x, y, kSweat);
  s.hline(x - 1, y + 1, 3, kSweat);
  s.hline(x - 1, y + 2, 3, kSweat);
  s.set(x - 1, y + 1, 0xFFFFFF);
  s.set(x, y + 3, kSweat);
  for (int i = -1; i <= 1; ++i) s.vline(hx + 3 * i - (f.back ? 0 : 2), hy - 8, 3 - (i != 0), kGloom);
}

// Everything is drawn facing right, down or up; facing left is the right-facing frame mirrored.
Image drawPlayerFrame(const Pose& pose) {
  Image s(kTile, kTile);
  const double hy = 13 + pose.sink;
  const Figure f{s, pose, pose.facing == kRight, pose.facing == kUp, pose.stance == Stance::kSlump,
                 16.0 + pose.lean, hy, int(std::lround(hy + 8))};
  s.ellipse(16, 29.5, 10, 2.2, kShadow);
  drawEars(f);
  partEllipse(s, 16 + pose.lean / 2.0, f.slump ? 23.5 : 22.5, 8, f.slump ? 5 : 6, kFur, kFurShade);
  if (f.back) partEllipse(s, 16, 25.5, 2.5, 2.2, kFur);  // a round tail
  for (const Foot& foot : feetOf(pose, f.side)) partEllipse(s, foot.x, foot.y + 0.5, 3.2, 2.0, kFoot);
  partEllipse(s, f.hx, f.hy, 11.5, 9.5, kFur, kFurShade);
  drawScarf(f);
  if (!f.back) drawFaceDetails(f);
  if (pose.paws) drawPaws(f);
  if (pose.dust && f.side) {  // kicked up behind a runner
    s.ellipse(4.5, 27, 2.3, 2.3, kDust);
    s.ellipse(2.5, 23, 1.5, 1.5, shade(kDust, 1.2));
  }
  if (pose.sweat) drawDismay(f);
  return s;
}

Image drawFacing(Pose pose, Facing facing) {
  if (facing == kLeft) {
    pose.facing = kRight;
    return drawPlayerFrame(pose).mirrored();
  }
  pose.facing = facing;
  return drawPlayerFrame(pose);
}

// Column 4 doubles as the push pose and the last beat of the idle cycle (frames 1 and 2 are the
// long ones), so the cycle reads as: stand, stand, breathe out, blink, little heave.
Pose idlePose(int column) {
  Pose p;
  if (column == 2) p.sink = 1;
  if (column == 3) p.eyes = Eyes::kClosed;
  if (column == 4) p = Pose{.eyes = Eyes::kSqueezed, .stance = Stance::kBrace, .lean = 1, .sink = 1, .paws = true};
  return p;
}

Pose runPose(int column) {
  Pose p;
  p.lean = 2;
  p.sink = column % 2 == 0 ? 1 : 0;
  p.stance = column % 2 == 0 ? Stance::kStrideA : Stance::kStrideB;
  p.dust = column % 2 == 0;
  if (column == 3) p.eyes = Eyes::kClosed;
  if (column == 4) {
    p = Pose{.eyes = Eyes::kSqueezed, .stance = Stance::kBrace, .lean = 3, .sink = 1, .paws = true, .dust = true};
  }
  return p;
}

Pose defeatedPose() { return Pose{.eyes = Eyes::kCrossed, .stance = Stance::kSlump, .sink = 3, .sweat = true}; }

}  // namespace

Image drawFace() {
  Image sheet(5 * kTile, 9 * kTile);
  for (int facing = 0; facing < 4; ++facing) {
    for (int column = 0; column < 5; ++column) {
      Pose idle = idlePose(column), run = runPose(column);
      if (facing >= 2) idle.lean = run.lean = 0;  // seen from the front or back, leaning is sinking
      sheet.paste(drawFacing(idle, Facing(facing)), column * kTile, facing * kTile);
      sheet.paste(drawFacing(run, Facing(facing)), column * kTile, (facing + 4) * kTile);
    }
    sheet.paste(drawFacing(defeatedPose(), Facing(facing)), facing * kTile, 8 * kTile);
  }
  return sheet;
}

Image drawEditorFace() {
  // The editor copies its cells without a colour key, so the player stands on the floor here,
  // and the start marker at (0, 64) gets yellow corner brackets to stand out on the grid.
  const Image face = drawFace();
  const Image floor = drawFloor();
  Image sheet(5 * kTile, 8 * kTile);
  for (int row = 0; row < 8; ++row)
    for (int column = 0; column < 5; ++column) {
      sheet.paste(floor, column * kTile, row * kTile, false);
      sheet.paste(face.crop(column * kTile, row * kTile, kTile, kTile), column * kTile, row * kTile);
    }
  const int markerX = 0, markerY = 2 * kTile;
  for (int corner = 0; corner < 4; ++corner) {
    const bool right = corner % 2 == 1, bottom = corner / 2 == 1;
    const int x = markerX + (right ? kTile - 5 : 0), y = markerY + (bottom ? kTile - 5 : 0);
    sheet.hline(x, bottom ? y + 4 : y, 5, palette::kCursor);
    sheet.vline(right ? x + 4 : x, y, 5, palette::kCursor);
  }
  return sheet;
}

}  // namespace assetgen
