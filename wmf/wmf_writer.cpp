#include "wmf/wmf_writer.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "wmf/wmf_records.h"

namespace vantrel::wmf {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::int16_t clamp16(int v)
{
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
}

void putColor(std::vector<std::uint8_t>& out, Color c)
{
    out.push_back(c.red);
    out.push_back(c.green);
    out.push_back(c.blue);
    out.push_back(0);
}

void putPoints(std::vector<std::uint8_t>& out, const std::vector<Point>& points)
{
    put16(out, static_cast<std::uint16_t>(points.size()));
    for (const Point& p : points) {
        put16(out, static_cast<std::uint16_t>(clamp16(p.x)));
        put16(out, static_cast<std::uint16_t>(clamp16(p.y)));
    }
}

}  // namespace

MetafileWriter::MetafileWriter(int left, int top, int right, int bottom, int unitsPerInch)
    : m_left(left), m_top(top), m_right(right), m_bottom(bottom), m_unitsPerInch(unitsPerInch)
{
}

void MetafileWriter::recordBytes(std::uint16_t function, const std::vector<std::uint8_t>& params)
{
    std::vector<std::uint8_t> body = params;
    if (body.size() % 2 != 0)
        body.push_back(0);
    const auto words = static_cast<std::uint32_t>(3 + body.size() / 2);
    put32(m_records, words);
    put16(m_records, function);
    m_records.insert(m_records.end(), body.begin(), body.end());
    m_maxRecordWords = std::max(m_maxRecordWords, words);
}

void MetafileWriter::record(std::uint16_t function, const std::vector<std::int16_t>& words)
{
    std::vector<std::uint8_t> params;
    for (std::int16_t w : words)
        put16(params, static_cast<std::uint16_t>(w));
    recordBytes(function, params);
}

int MetafileWriter::allocateObject()
{
    auto free = std::find(m_slots.begin(), m_slots.end(), false);
    if (free != m_slots.end()) {
        *free = true;
        return static_cast<int>(free - m_slots.begin());
    }
    m_slots.push_back(true);
    return static_cast<int>(m_slots.size() - 1);
}

void MetafileWriter::saveDC()
{
    record(record::kSaveDC, {});
}
void MetafileWriter::restoreDC()
{
    record(record::kRestoreDC, {-1});
}

// The GDI records store y before x.
void MetafileWriter::setWindowOrg(int x, int y)
{
    record(record::kSetWindowOrg, {clamp16(y), clamp16(x)});
}

void MetafileWriter::setWindowExt(int width, int height)
{
    record(record::kSetWindowExt, {clamp16(height), clamp16(width)});
}

void MetafileWriter::setBkMode(int mode)
{
    record(record::kSetBkMode, {clamp16(mode), 0});
}

void MetafileWriter::setTextColor(Color color)
{
    std::vector<std::uint8_t> params;
    putColor(params, color);
    recordBytes(record::kSetTextColor, params);
}

void MetafileWriter::setTextAlign(int align)
{
    record(record::kSetTextAlign, {clamp16(align), 0});
}

int MetafileWriter::createPen(const Pen& pen)
{
    std::vector<std::uint8_t> params;
    put16(params, static_cast<std::uint16_t>(pen.style));
    put16(params, static_cast<std::uint16_t>(clamp16(pen.width)));
    put16(params, 0);
    putColor(params, pen.color);
    recordBytes(record::kCreatePenIndirect, params);
    return allocateObject();
}

int MetafileWriter::createBrush(const Brush& brush)
{
    std::vector<std::uint8_t> params;
    put16(params, static_cast<std::uint16_t>(brush.style));
    putColor(params, brush.color);
    put16(params, 0);
    recordBytes(record::kCreateBrushIndirect, params);
    return allocateObject();
}

int MetafileWriter::createFont(const Font& font)
{
    std::vector<std::uint8_t> params;
    put16(params, static_cast<std::uint16_t>(clamp16(font.height)));
    put16(params, 0);  // width: chosen by the font mapper
    put16(params, static_cast<std::uint16_t>(clamp16(font.escapementTenths)));
    put16(params, static_cast<std::uint16_t>(clamp16(font.escapementTenths)));
    put16(params, static_cast<std::uint16_t>(clamp16(font.weight)));
    params.push_back(font.italic ? 1 : 0);
    params.push_back(0);     // underline
    params.push_back(0);     // strike-out
    params.push_back(0);     // ANSI character set
    params.push_back(0);     // output precision
    params.push_back(0);     // clip precision
    params.push_back(0);     // quality
    params.push_back(0x31);  // fixed pitch, modern family
    std::string face = font.face.substr(0, record::kFaceNameBytes - 1);
    params.insert(params.end(), face.begin(), face.end());
    params.push_back(0);
    recordBytes(record::kCreateFontIndirect, params);
    return allocateObject();
}

void MetafileWriter::selectObject(int index)
{
    record(record::kSelectObject, {clamp16(index)});
}

void MetafileWriter::deleteObject(int index)
{
    if (index < 0 || index >= static_cast<int>(m_slots.size()) || !m_slots[index])
        throw std::logic_error("metafile object " + std::to_string(index) + " is not in use");
    m_slots[index] = false;
    record(record::kDeleteObject, {clamp16(index)});
}

void MetafileWriter::polyline(const std::vector<Point>& points)
{
    std::vector<std::uint8_t> params;
    putPoints(params, points);
    recordBytes(record::kPolyline, params);
}

void MetafileWriter::polygon(const std::vector<Point>& points)
{
    std::vector<std::uint8_t> params;
    putPoints(params, points);
    recordBytes(record::kPolygon, params);
}

void MetafileWriter::ellipse(int left, int top, int right, int bottom)
{
    record(record::kEllipse, {clamp16(bottom), clamp16(right), clamp16(top), clamp16(left)});
}

void MetafileWriter::rectangle(int left, int top, int right, int bottom)
{
    record(record::kRectangle, {clamp16(bottom), clamp16(right), clamp16(top), clamp16(left)});
}

void MetafileWriter::extTextOut(int x, int y, std::string_view text)
{
    std::vector<std::uint8_t> params;
    put16(params, static_cast<std::uint16_t>(clamp16(y)));
    put16(params, static_cast<std::uint16_t>(clamp16(x)));
    put16(params, static_cast<std::uint16_t>(text.size()));
    put16(params, 0);  // no options, so no clipping rectangle follows
    params.insert(params.end(), text.begin(), text.end());
    recordBytes(record::kExtTextOut, params);
}

std::vector<std::uint8_t> MetafileWriter::bytes() const
{
    std::vector<std::uint8_t> out;
    put32(out, record::kPlaceableKey);
    put16(out, 0);
    put16(out, static_cast<std::uint16_t>(clamp16(m_left)));
    put16(out, static_cast<std::uint16_t>(clamp16(m_top)));
    put16(out, static_cast<std::uint16_t>(clamp16(m_right)));
    put16(out, static_cast<std::uint16_t>(clamp16(m_bottom)));
    put16(out, static_cast<std::uint16_t>(m_unitsPerInch));
    put32(out, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
    put16(out, checksum);

    const std::uint32_t eofWords = 3;
    const auto totalWords =
        static_cast<std::uint32_t>((record::kHeaderBytes + m_records.size()) / 2 + eofWords);
    put16(out, 1);       // memory metafile
    put16(out, 9);       // header size in words
    put16(out, 0x0300);  // version
    put32(out, totalWords);
    put16(out, static_cast<std::uint16_t>(m_slots.size()));
    put32(out, m_maxRecordWords);
    put16(out, 0);
    out.insert(out.end(), m_records.begin(), m_records.end());
    put32(out, eofWords);
    put16(out, record::kEof);
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace vantrel::wmf
