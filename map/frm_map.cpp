#include "map/frm_map.h"

#include <cmath>

#include "core/game.h"
#include "map/frm_map_controls.h"

namespace velmora {

frmMap::Controls::Controls(platform::Window& window, frmMap& map)
    : picMap(window),
      tmrChar(window, [&map] { map.tmrChar_Timer(); }),
      txtChar(window),
      cmdBattle(window),
      picText(window),
      lblText(picText),
      tmrText(window, [&map] { map.tmrText_Timer(); }),
      cmdText(window) {
    picMap.setBackColor(qRgb(0, 128, 0));
    picMap.cls();
    txtChar.setGeometry(120, 300, 555, 495);
    txtChar.onChange([&map] { map.txtChar_Change(); });
    cmdBattle.setCaption(QStringLiteral("Battle Test"));
    cmdBattle.setGeometry(120, 2520, 1275, 615);
    cmdBattle.onClick([&map] { map.cmdBattle_Click(); });
    picText.setGeometry(300, 4020, 5175, 1875);
    picText.setVisible(false);
    lblText.setFont({QStringLiteral("MS Sans Serif"), 24, false});
    lblText.setWordWrap(true);
    lblText.setAutoSize(true);
    cmdText.setCaption(QStringLiteral("Text Test"));
    cmdText.setGeometry(120, 3180, 1275, 615);
    cmdText.onClick([&map] { map.cmdText_Click(); });
}

frmMap::frmMap(Game& game) : Form(game, QStringLiteral("Map")) {}

frmMap::Controls& frmMap::ui() const {
    return controls<Controls>();
}

std::unique_ptr<platform::ControlSet> frmMap::createControls(platform::Window& window) {
    return std::make_unique<Controls>(window, *this);
}

void frmMap::Form_Load() {
    platform::Window& w = *window();
    w.setSizeTwips(display().widthTwips, display().heightTwips);
    w.setKeyPreview(true);
    ui().picMap.setGeometry(0, 0, w.widthTwips(), w.heightTwips());
    CharTables& tables = game().modChar;
    tables.fillSpritesAndNames();
    picChar = std::make_shared<SpriteSheet>();
    game().sprites = picChar;
    picChar->load(game().services().paths);
    tables.fillNumbers();
    // The sprite pictures are pixel images already: nothing to rescale.
    CharX[1] = 0;
    CharY[1] = 0;
}

void frmMap::Form_Activate() {
    TileSet =
        platform::Picture::load(game().services().paths.resolve("\\Background\\World\\ts0.bmp"));
    DrawMap();
}

void frmMap::Form_QueryUnload() {
    TileSet = platform::Picture();
}

void frmMap::DrawMap() {
    constexpr int kTile = 32;
    TileCol = 0;
    TileRow = 0;
    TileSrcX = 0;
    TileSrcY = 0;
    ScreenPixelsX = roundedQuotient16(display().widthTwips, display().twipsPerPixelX);
    ScreenPixelsY = roundedQuotient16(display().heightTwips, display().twipsPerPixelY);
    // Each row holds the columns 0 to ScreenPixelsX / 32 rounded up; rows go on until the
    // display is covered. Every tile comes from the place in the tile set where it is drawn, so
    // the tiles of one row lie side by side in the tile set as on the map: a row is drawn as one
    // copy, with the same pixels as tile by tile.
    const double lastColumn = ScreenPixelsX.value() / static_cast<double>(kTile);
    const auto columns = static_cast<int>(std::ceil(lastColumn)) + 1;
    // The last column's place, in the same 16-bit arithmetic as a tile-by-tile pass.
    const Int16 lastLeft = Int16(columns - 1) * kTile;
    const int rowWidth = lastLeft.value() + kTile;
    platform::Surface& canvas = ui().picMap.canvas();
    const platform::Surface& tiles = TileSet.surface();
    while ((Int32(TileRow) * kTile).value() < ScreenPixelsY.value()) {
        platform::bitBlt(canvas, 0, (TileRow * kTile).value(), rowWidth, kTile, tiles,
                         TileSrcX.value(), TileSrcY.value());
        TileRow += 1;
        TileSrcY += kTile;
    }
    picChar->draw(canvas, CharX[1].value(), CharY[1].value(), SpriteSheet::kFrame,
                  game().modChar.PartySprite[1], CharSrcX[1], CharSrcY[1]);
}

void frmMap::cmdBattle_Click() {
    game().frmBattle().show();
}

}  // namespace velmora
