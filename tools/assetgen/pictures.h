#pragma once
// Every picture of the game and the editor, drawn by code. One style across them: bevelled,
// outlined pixel art on a shared palette.
#include <string>
#include <vector>

#include "tools/assetgen/image.h"

namespace assetgen {

namespace palette {
inline constexpr Colour kPanelFace = rgb(46, 78, 170);
inline constexpr Colour kPanelLight = rgb(150, 180, 245);
inline constexpr Colour kPanelDark = rgb(20, 30, 92);
inline constexpr Colour kTextTop = rgb(255, 255, 255);
inline constexpr Colour kTextBottom = rgb(200, 222, 255);
inline constexpr Colour kTextOutline = rgb(14, 16, 48);
inline constexpr Colour kGold = rgb(255, 214, 64);
inline constexpr Colour kGoldDeep = rgb(232, 128, 24);
inline constexpr Colour kCursor = rgb(255, 232, 24);
}  // namespace palette

inline constexpr int kTile = 32;

// Tiles of the board, 32 x 32, fully opaque (black is key for them only where said).
Colour blockColour(int value);  // values 1 to 25: neighbouring values far apart in hue
Image drawBlock(int value);
Image drawFloor();
Image drawWall();
Image drawUnusedTile(int code);  // codes 2 to 9, which no stage holds

Image drawMap();
Image drawEditorTiles();
Image drawFace();
Image drawEditorFace();
Image drawFont();
Image drawLogo();
Image drawTitle();
Image drawCursorBars();
Image drawPanel(int width, int height, int shownHeight);
Image drawTitleBack();
Image drawEndingBack();
Image drawEndingBack2();
Image drawEndingBand();

// Writes text with the game's own font, as the game does: 16 pixels per character.
void drawGameText(Image& img, int x, int y, const std::string& text);

struct Picture {
  const char* name;
  Image (*draw)();
};
// Every picture the build embeds or the editor uses, in the order the contact sheet shows them.
const std::vector<Picture>& allPictures();

}  // namespace assetgen
