#pragma once

// Reading a Windows Metafile into a flat list of drawing commands.
//
// The reader resolves the metafile's object table itself: a command list never mentions
// object handles. Selecting a pen, brush or font becomes a SelectPen / SelectBrush /
// SelectFont command that carries the complete object, so a painter replays the list from
// top to bottom keeping only "current pen, current brush, current font, text colour, text
// alignment, background mode" as state. Coordinates are logical units; the window origin
// and extent commands say how they map onto the picture (a painter maps the rectangle
// origin..origin+extent onto its target rectangle).
//
// Records the reader does not know are skipped. A file that is truncated (a record runs
// past the end, no end-of-file record), oversized (larger than kMaxPictureBytes, or more than
// kMaxDrawCommands drawing commands) or not a metafile at all is refused with an error text; no
// partial picture is returned then. Reading takes time in proportion to the file's size, and
// memory in proportion to it with the command limit: a picture of the limit's size is read in
// a few tens of milliseconds.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantrel::wmf {

inline constexpr std::size_t kMaxPictureBytes = 16u * 1024u * 1024u;
// A chart wheel makes some 600; each command takes about 200 bytes besides its points.
inline constexpr std::size_t kMaxDrawCommands = 50000;

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0;  // logical units; 0 means one device pixel
    Color color;
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle { Solid = 0, Null = 1, Hatched = 2 };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Color color;
    friend bool operator==(const Brush&, const Brush&) = default;
};

struct Font {
    int height = 0;            // logical units; negative means character height, as in GDI
    int weight = 400;          // 400 normal, 700 bold
    int escapementTenths = 0;  // text angle in tenths of a degree, counter-clockwise
    bool italic = false;
    std::string face;  // may be empty
    friend bool operator==(const Font&, const Font&) = default;
};

// Text alignment bits, as stored in the metafile (GDI's TA_* values).
namespace text_align {
inline constexpr int kLeft = 0;
inline constexpr int kRight = 2;
inline constexpr int kCenter = 6;
inline constexpr int kHorizontalMask = 6;
inline constexpr int kTop = 0;
inline constexpr int kBottom = 8;
inline constexpr int kBaseline = 24;
inline constexpr int kVerticalMask = 24;
}  // namespace text_align

enum class CommandKind {
    SaveState,          // push the whole drawing state
    RestoreState,       // pop it
    SetWindowOrigin,    // point
    SetWindowExtent,    // point (x = width, y = height)
    SetBackgroundMode,  // value: 1 transparent, 2 opaque
    SetTextColor,       // color
    SetTextAlign,       // value: text_align bits
    SelectPen,          // pen
    SelectBrush,        // brush
    SelectFont,         // font
    Polyline,           // points (open, drawn with the pen)
    Polygon,            // points (closed, outlined with the pen, filled with the brush)
    Ellipse,            // point = top-left, point2 = bottom-right of the bounding box
    Rectangle,          // point = top-left, point2 = bottom-right
    Text,               // point = reference point, text (Windows-1252 bytes as stored)
};

struct DrawCommand {
    CommandKind kind = CommandKind::SaveState;
    Point point;
    Point point2;
    std::vector<Point> points;
    int value = 0;
    Color color;
    Pen pen;
    Brush brush;
    Font font;
    std::string text;
};

struct Picture {
    // Placeable header; all zero for a metafile without one.
    int boundsLeft = 0;
    int boundsTop = 0;
    int boundsRight = 0;
    int boundsBottom = 0;
    int unitsPerInch = 0;
    std::vector<DrawCommand> commands;
};

struct ReadResult {
    bool ok = false;
    Picture picture;    // valid only when ok
    std::string error;  // a sentence naming what is wrong, when !ok
};

// Parses a metafile held in memory.
ReadResult readPicture(std::span<const std::uint8_t> bytes);

// Reads and parses the file at path; an unreadable file is an error naming it.
ReadResult readPictureFile(const std::string& path);

}  // namespace vantrel::wmf
