#pragma once
// The program's small pictures: the tool-bar glyphs, the window and tray icon, the About box's
// picture and the tip dialog's light bulb. Drawn from vector outlines, so they stay sharp at
// every size.

#include <QIcon>
#include <QPixmap>

namespace vantrel::ui {

enum class Glyph {
    Calculate,
    Now,
    Clipboard,
    EngineOutput,
    PlanetaryHours,
    Options,
    Alarm,
    Verse,
    Program,    // window and About box
    Tray,       // the tray icon
    LightBulb,  // tip dialog
};

QIcon glyphIcon(Glyph glyph);
QPixmap glyphPixmap(Glyph glyph, int sizePx);

}  // namespace vantrel::ui
