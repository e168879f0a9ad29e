#include "game/shell/scene_steps.h"

#include <algorithm>
#include <array>

#include "game/platform/virtual_keys.h"
#include "game/presentation/screen.h"
#include "game/presentation/tile_transition.h"
#include "game/shell/form.h"

namespace quorel {

namespace {

constexpr int kMosaicSquare = 32;

}  // namespace

void backToTitle(TForm1& form, MusicOnLeaving music) {
  if (music == MusicOnLeaving::StopBeforeTransition) form.stopMusic();
  form.tileTransition(kTransitionWhite);
  if (music == MusicOnLeaving::StopAfterTransition) form.stopMusic();
  form.sceneNumber = kSceneTitle;
  form.playState.introWindow = true;
  if (form.settings.bgm) form.playMusic(kTitleMusic);
  if (form.testPlay) form.closeMainWindow();
}

int stagePan(int stage) { return stage * 900 - 9000; }

std::span<int> playedSetRecords(TForm1& form) {
  if (form.userStage) return form.userRecords.userMinRecord;
  return form.settings.minRecord;
}

std::span<const int> playedSetRecords(const TForm1& form) {
  if (form.userStage) return form.userRecords.userMinRecord;
  return form.settings.minRecord;
}

bool escapeDown(TForm1& form) { return form.platform.input().asyncKeyState(vk::kEscape); }

void waitForEscapeRelease(TForm1& form) {
  while (!form.closing() && escapeDown(form)) {
    form.pumpMessages();
    form.platform.clock().idle();
  }
}

void coverWithMosaic(Surface& target, const std::function<std::uint32_t()>& squareColour) {
  constexpr int kColumns = kScreenWidth / kMosaicSquare;
  constexpr int kRows = kScreenHeight / kMosaicSquare;
  // The colours are drawn square by square down each column, the order the random sequence has
  // always been spent in; the pixels are then written row by row, which streams through memory
  // instead of striding down it and halves the cost of a pass.
  std::array<std::uint32_t, kColumns * kRows> pixels{};
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) pixels[static_cast<std::size_t>(row * kColumns + column)] = pixelOfColour(squareColour());
  }
  const int width = std::min(target.width(), kScreenWidth);
  const int height = std::min(target.height(), kScreenHeight);
  for (int y = 0; y < height; ++y) {
    std::uint32_t* line = target.row(y);
    const std::uint32_t* colours = &pixels[static_cast<std::size_t>(y / kMosaicSquare * kColumns)];
    for (int left = 0; left < width; left += kMosaicSquare) {
      std::fill(line + left, line + std::min(left + kMosaicSquare, width), colours[left / kMosaicSquare]);
    }
  }
}

}  // namespace quorel
