#include "tools/assetgen/pictures.h"

#include "tools/assetgen/assetgen.h"

namespace assetgen {

const std::vector<Picture>& allPictures() {
  static const std::vector<Picture> pictures = {
      {"map", drawMap},
      {"face", drawFace},
      {"font", drawFont},
      {"cur", drawCursorBars},
      {"window1", [] { return drawPanel(265, 90, 89); }},
      {"window2", [] { return drawPanel(265, 46, 44); }},
      {"window3", [] { return drawPanel(265, 23, 23); }},
      {"logo", drawLogo},
      {"endingfont", drawEndingBand},
      {"title", drawTitle},
      {"titleback", drawTitleBack},
      {"endingback", drawEndingBack},
      {"endingback2", drawEndingBack2},
      {"edtiles", drawEditorTiles},
      {"edface", drawEditorFace},
  };
  return pictures;
}

bool writePictures(const std::string& folder) {
  for (const Picture& p : allPictures()) {
    if (!writeBmp(folder + "/" + p.name + ".bmp", p.draw())) return false;
  }
  return true;
}

}  // namespace assetgen
