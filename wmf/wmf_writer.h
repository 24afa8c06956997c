#pragma once

// Writing a placeable Windows Metafile (little-endian, GDI record layout).
//
// Objects are created with createPen / createBrush / createFont, which return the index
// the metafile's object table gives them (the lowest free slot, as GDI assigns it), then
// selected and deleted by that index. bytes() returns the complete file: the placeable
// header, the metafile header with its object count and largest record, every record,
// and the end-of-file record.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "wmf/wmf_reader.h"

namespace vantrel::wmf {

class MetafileWriter {
public:
    // bounds in logical units; unitsPerInch as stored in the placeable header
    MetafileWriter(int left, int top, int right, int bottom, int unitsPerInch);

    void saveDC();
    void restoreDC();
    void setWindowOrg(int x, int y);
    void setWindowExt(int width, int height);
    void setBkMode(int mode);
    void setTextColor(Color color);
    void setTextAlign(int align);

    int createPen(const Pen& pen);
    int createBrush(const Brush& brush);
    int createFont(const Font& font);
    void selectObject(int index);
    void deleteObject(int index);

    void polyline(const std::vector<Point>& points);
    void polygon(const std::vector<Point>& points);
    void ellipse(int left, int top, int right, int bottom);
    void rectangle(int left, int top, int right, int bottom);
    // text: single-byte characters, written as they are
    void extTextOut(int x, int y, std::string_view text);

    std::vector<std::uint8_t> bytes() const;

private:
    void record(std::uint16_t function, const std::vector<std::int16_t>& words);
    void recordBytes(std::uint16_t function, const std::vector<std::uint8_t>& params);
    int allocateObject();

    int m_left, m_top, m_right, m_bottom, m_unitsPerInch;
    std::vector<std::uint8_t> m_records;
    std::uint32_t m_maxRecordWords = 3;
    std::vector<bool> m_slots;
};

// Writes bytes to path; false when the file cannot be written.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace vantrel::wmf
