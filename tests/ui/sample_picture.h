#pragma once
// A chart-like metafile for the window tests, built with the engine's writer.

#include <cstdint>
#include <vector>

#include <QByteArray>

#include "wmf/wmf_writer.h"

namespace vantrel::testing {

// A chart-like picture: black background, a red square in the upper left quarter of the
// frame, a white ring and a line of text.
inline std::vector<std::uint8_t> samplePicture()
{
    using namespace vantrel::wmf;
    MetafileWriter writer(0, 0, 800, 600, 1280);
    writer.saveDC();
    writer.setWindowOrg(0, 0);
    writer.setWindowExt(800, 600);
    writer.setBkMode(1);
    const int black = writer.createBrush({BrushStyle::Solid, {0, 0, 0}});
    writer.selectObject(black);
    writer.rectangle(0, 0, 800, 600);
    const int red = writer.createBrush({BrushStyle::Solid, {255, 0, 0}});
    writer.selectObject(red);
    writer.rectangle(100, 100, 300, 250);
    const int pen = writer.createPen({PenStyle::Solid, 8, {255, 255, 255}});
    const int hollow = writer.createBrush({BrushStyle::Null, {}});
    writer.selectObject(pen);
    writer.selectObject(hollow);
    writer.ellipse(420, 150, 720, 450);
    const int font = writer.createFont({-40, 400, 0, false, "Sans"});
    writer.selectObject(font);
    writer.setTextColor({0, 255, 0});
    writer.extTextOut(420, 500, "Sol 15\xb0 Gemini");
    writer.restoreDC();
    return writer.bytes();
}

inline QByteArray asBytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

}  // namespace vantrel::testing
