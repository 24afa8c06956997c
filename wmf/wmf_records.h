#pragma once

// Record function numbers and sizes shared by the writer and the reader
// (values of the GDI metafile format).

#include <cstddef>
#include <cstdint>

namespace vantrel::wmf::record {

inline constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
inline constexpr std::size_t kPlaceableHeaderBytes = 22;
inline constexpr std::size_t kHeaderBytes = 18;

inline constexpr std::uint16_t kEof = 0x0000;
inline constexpr std::uint16_t kSaveDC = 0x001E;
inline constexpr std::uint16_t kRestoreDC = 0x0127;
inline constexpr std::uint16_t kSetBkMode = 0x0102;
inline constexpr std::uint16_t kSetTextAlign = 0x012E;
inline constexpr std::uint16_t kSetTextColor = 0x0209;
inline constexpr std::uint16_t kSetWindowOrg = 0x020B;
inline constexpr std::uint16_t kSetWindowExt = 0x020C;
inline constexpr std::uint16_t kSelectObject = 0x012D;
inline constexpr std::uint16_t kDeleteObject = 0x01F0;
inline constexpr std::uint16_t kCreatePenIndirect = 0x02FA;
inline constexpr std::uint16_t kCreateBrushIndirect = 0x02FC;
inline constexpr std::uint16_t kCreateFontIndirect = 0x02FB;
inline constexpr std::uint16_t kPolygon = 0x0324;
inline constexpr std::uint16_t kPolyline = 0x0325;
inline constexpr std::uint16_t kEllipse = 0x0418;
inline constexpr std::uint16_t kRectangle = 0x041B;
inline constexpr std::uint16_t kTextOut = 0x0521;
inline constexpr std::uint16_t kExtTextOut = 0x0A32;

// GDI object kinds that can occupy a slot of the object table; the reader also counts
// slots taken by records it does not interpret (palettes, regions, pattern brushes).
inline constexpr std::uint16_t kCreatePalette = 0x00F7;
inline constexpr std::uint16_t kCreatePatternBrush = 0x01F9;
inline constexpr std::uint16_t kDibCreatePatternBrush = 0x0142;
inline constexpr std::uint16_t kCreateRegion = 0x06FF;

inline constexpr int kFaceNameBytes = 32;
inline constexpr std::uint16_t kEtoOpaque = 0x0002;
inline constexpr std::uint16_t kEtoClipped = 0x0004;

}  // namespace vantrel::wmf::record
