#include "wmf/wmf_reader.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <queue>
#include <variant>

#include "wmf/wmf_records.h"

namespace vantrel::wmf {

namespace {

// A bounded little-endian cursor over one record's parameters.
class Cursor {
public:
    Cursor(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    bool has(std::size_t n) const { return m_pos + n <= m_bytes.size(); }
    std::uint8_t u8() { return m_bytes[m_pos++]; }
    std::uint16_t u16()
    {
        const std::uint16_t v =
            static_cast<std::uint16_t>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    std::int16_t s16() { return static_cast<std::int16_t>(u16()); }
    std::uint32_t u32()
    {
        const std::uint32_t lo = u16();
        return lo | (static_cast<std::uint32_t>(u16()) << 16);
    }
    Color color()
    {
        Color c{u8(), u8(), u8()};
        u8();
        return c;
    }
    std::span<const std::uint8_t> take(std::size_t n)
    {
        auto s = m_bytes.subspan(m_pos, n);
        m_pos += n;
        return s;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

DrawCommand command(CommandKind kind)
{
    DrawCommand cmd;
    cmd.kind = kind;
    return cmd;
}

using GdiObject = std::variant<std::monostate, Pen, Brush, Font>;

// The metafile's object table. A new object takes the lowest free slot, as GDI gives it; the
// freed slots wait in a heap, so that each creation costs a logarithm, not a search from slot 0.
// Object handles are 16 bits: the table never holds more than 65536 objects, and a creation
// beyond that fails (its record is skipped), as it does in GDI when the table is full.
class ObjectTable {
public:
    static constexpr std::size_t kSlots = 65536;

    void add(GdiObject object)
    {
        std::size_t slot = m_slots.size();
        if (!m_free.empty()) {
            slot = m_free.top();
            m_free.pop();
        } else if (slot < kSlots) {
            m_slots.emplace_back();
        } else {
            return;
        }
        m_slots[slot] = std::move(object);
    }
    const GdiObject* find(std::size_t slot) const
    {
        return slot < m_slots.size() && m_slots[slot] ? &*m_slots[slot] : nullptr;
    }
    void remove(std::size_t slot)
    {
        if (find(slot) == nullptr)
            return;
        m_slots[slot].reset();
        m_free.push(slot);
    }

private:
    std::vector<std::optional<GdiObject>> m_slots;
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> m_free;
};

class Parser {
public:
    explicit Parser(Picture& picture) : m_picture(picture) {}

    // Interprets one record; returns an error text for a record too short for its kind.
    std::optional<std::string> handle(std::uint16_t function, Cursor c);

private:
    std::optional<std::string> points(CommandKind kind, Cursor& c);
    bool createObject(std::uint16_t function, Cursor& c);
    void selectObject(int slot);
    std::optional<std::string> extTextOut(Cursor& c);
    std::optional<std::string> textOut(Cursor& c);
    void addObject(GdiObject object) { m_objects.add(std::move(object)); }
    void emit(DrawCommand command) { m_picture.commands.push_back(std::move(command)); }

    Picture& m_picture;
    ObjectTable m_objects;
};

std::optional<std::string> Parser::points(CommandKind kind, Cursor& c)
{
    if (!c.has(2))
        return "a polygon record holds no point count";
    const int n = c.s16();
    if (n < 0 || !c.has(static_cast<std::size_t>(n) * 4))
        return "a polygon record is shorter than its point count";
    DrawCommand cmd = command(kind);
    for (int i = 0; i < n; ++i) {
        const int x = c.s16();
        const int y = c.s16();
        cmd.points.push_back({x, y});
    }
    emit(std::move(cmd));
    return std::nullopt;
}

std::optional<std::string> Parser::handle(std::uint16_t function, Cursor c)
{
    namespace r = record;
    const std::string shortRecord = "a record is shorter than its kind requires";
    switch (function) {
    case r::kSaveDC:
        emit(command(CommandKind::SaveState));
        return std::nullopt;
    case r::kRestoreDC:
        emit(command(CommandKind::RestoreState));
        return std::nullopt;
    case r::kSetWindowOrg:
    case r::kSetWindowExt: {
        if (!c.has(4))
            return shortRecord;
        DrawCommand cmd = command(function == r::kSetWindowOrg ? CommandKind::SetWindowOrigin
                                                               : CommandKind::SetWindowExtent);
        cmd.point.y = c.s16();
        cmd.point.x = c.s16();
        emit(std::move(cmd));
        return std::nullopt;
    }
    case r::kSetBkMode:
    case r::kSetTextAlign: {
        if (!c.has(2))
            return shortRecord;
        DrawCommand cmd = command(function == r::kSetBkMode ? CommandKind::SetBackgroundMode
                                                            : CommandKind::SetTextAlign);
        cmd.value = c.u16();
        emit(std::move(cmd));
        return std::nullopt;
    }
    case r::kSetTextColor: {
        if (!c.has(4))
            return shortRecord;
        DrawCommand cmd = command(CommandKind::SetTextColor);
        cmd.color = c.color();
        emit(std::move(cmd));
        return std::nullopt;
    }
    case r::kCreatePenIndirect:
    case r::kCreateBrushIndirect:
    case r::kCreateFontIndirect:
        return createObject(function, c) ? std::nullopt : std::optional<std::string>(shortRecord);
    case r::kCreatePalette:
    case r::kCreatePatternBrush:
    case r::kDibCreatePatternBrush:
    case r::kCreateRegion:
        addObject(std::monostate{});  // occupies a slot; drawing with it is not supported
        return std::nullopt;
    case r::kSelectObject:
        if (!c.has(2))
            return shortRecord;
        selectObject(c.u16());
        return std::nullopt;
    case r::kDeleteObject:
        if (!c.has(2))
            return shortRecord;
        m_objects.remove(c.u16());
        return std::nullopt;
    case r::kPolyline:
        return points(CommandKind::Polyline, c);
    case r::kPolygon:
        return points(CommandKind::Polygon, c);
    case r::kEllipse:
    case r::kRectangle: {
        if (!c.has(8))
            return shortRecord;
        DrawCommand cmd =
            command(function == r::kEllipse ? CommandKind::Ellipse : CommandKind::Rectangle);
        cmd.point2.y = c.s16();
        cmd.point2.x = c.s16();
        cmd.point.y = c.s16();
        cmd.point.x = c.s16();
        emit(std::move(cmd));
        return std::nullopt;
    }
    case r::kExtTextOut:
        return extTextOut(c);
    case r::kTextOut:
        return textOut(c);
    default:
        return std::nullopt;  // a record we do not draw
    }
}

bool Parser::createObject(std::uint16_t function, Cursor& c)
{
    if (function == record::kCreatePenIndirect) {
        if (!c.has(10))
            return false;
        Pen pen;
        const int style = c.u16() & 0x0F;
        pen.style = style <= 5 ? static_cast<PenStyle>(style) : PenStyle::Solid;
        pen.width = c.s16();
        c.u16();
        pen.color = c.color();
        addObject(pen);
    } else if (function == record::kCreateBrushIndirect) {
        if (!c.has(6))
            return false;
        Brush brush;
        const std::uint16_t style = c.u16();
        brush.style = style == 1   ? BrushStyle::Null
                      : style == 2 ? BrushStyle::Hatched
                                   : BrushStyle::Solid;
        brush.color = c.color();
        addObject(brush);
    } else {
        if (!c.has(18))
            return false;
        Font font;
        font.height = c.s16();
        c.s16();
        font.escapementTenths = c.s16();
        c.s16();
        font.weight = c.s16();
        font.italic = c.u8() != 0;
        c.take(7);
        while (c.has(1) && font.face.size() < record::kFaceNameBytes) {
            const char ch = static_cast<char>(c.u8());
            if (ch == '\0')
                break;
            font.face.push_back(ch);
        }
        addObject(font);
    }
    return true;
}

void Parser::selectObject(int slot)
{
    const GdiObject* object = m_objects.find(static_cast<std::size_t>(slot));
    if (object == nullptr)
        return;  // GDI ignores a stale handle; so do we
    if (const Pen* pen = std::get_if<Pen>(object)) {
        DrawCommand cmd = command(CommandKind::SelectPen);
        cmd.pen = *pen;
        emit(std::move(cmd));
    } else if (const Brush* brush = std::get_if<Brush>(object)) {
        DrawCommand cmd = command(CommandKind::SelectBrush);
        cmd.brush = *brush;
        emit(std::move(cmd));
    } else if (const Font* font = std::get_if<Font>(object)) {
        DrawCommand cmd = command(CommandKind::SelectFont);
        cmd.font = *font;
        emit(std::move(cmd));
    }
}

std::optional<std::string> Parser::extTextOut(Cursor& c)
{
    if (!c.has(8))
        return "a text record is shorter than its kind requires";
    DrawCommand cmd = command(CommandKind::Text);
    cmd.point.y = c.s16();
    cmd.point.x = c.s16();
    const int length = c.s16();
    const std::uint16_t options = c.u16();
    if ((options & (record::kEtoOpaque | record::kEtoClipped)) != 0) {
        if (!c.has(8))
            return "a text record is shorter than its clipping rectangle";
        c.take(8);
    }
    if (length < 0 || !c.has(static_cast<std::size_t>(length)))
        return "a text record is shorter than its text";
    auto text = c.take(static_cast<std::size_t>(length));
    cmd.text.assign(text.begin(), text.end());
    emit(std::move(cmd));
    return std::nullopt;
}

std::optional<std::string> Parser::textOut(Cursor& c)
{
    if (!c.has(2))
        return "a text record is shorter than its kind requires";
    const int length = c.s16();
    if (length < 0)
        return "a text record has a negative length";
    const auto padded = static_cast<std::size_t>(length + (length % 2));
    if (!c.has(padded + 4))
        return "a text record is shorter than its text";
    DrawCommand cmd = command(CommandKind::Text);
    auto text = c.take(static_cast<std::size_t>(length));
    cmd.text.assign(text.begin(), text.end());
    c.take(padded - static_cast<std::size_t>(length));
    cmd.point.y = c.s16();
    cmd.point.x = c.s16();
    emit(std::move(cmd));
    return std::nullopt;
}

ReadResult failure(std::string text)
{
    ReadResult result;
    result.error = std::move(text);
    return result;
}

}  // namespace

ReadResult readPicture(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > kMaxPictureBytes)
        return failure("the picture is too large (" + std::to_string(bytes.size()) +
                       " bytes, at most " + std::to_string(kMaxPictureBytes) + ")");
    ReadResult result;
    Picture& picture = result.picture;
    Cursor head(bytes);
    std::size_t offset = 0;
    if (head.has(4) && head.u32() == record::kPlaceableKey) {
        if (bytes.size() < record::kPlaceableHeaderBytes)
            return failure("the picture is truncated inside its placeable header");
        Cursor p(bytes.subspan(6));
        picture.boundsLeft = p.s16();
        picture.boundsTop = p.s16();
        picture.boundsRight = p.s16();
        picture.boundsBottom = p.s16();
        picture.unitsPerInch = p.u16();
        offset = record::kPlaceableHeaderBytes;
    }
    if (bytes.size() < offset + record::kHeaderBytes)
        return failure("the picture is truncated inside its header");
    Cursor h(bytes.subspan(offset));
    const std::uint16_t type = h.u16();
    const std::uint16_t headerWords = h.u16();
    if ((type != 1 && type != 2) || headerWords != 9)
        return failure("not a Windows Metafile");
    offset += record::kHeaderBytes;

    Parser parser(picture);
    while (true) {
        if (bytes.size() < offset + 6)
            return failure("the picture is truncated: it ends before its end record");
        Cursor r(bytes.subspan(offset));
        const std::uint32_t words = r.u32();
        const std::uint16_t function = r.u16();
        if (function == record::kEof)
            break;
        if (words < 3)
            return failure("record at byte " + std::to_string(offset) + " has an impossible size");
        const std::uint64_t size = static_cast<std::uint64_t>(words) * 2;
        if (offset + size > bytes.size())
            return failure("the picture is truncated: record at byte " + std::to_string(offset) +
                           " runs past the end");
        auto params = bytes.subspan(offset + 6, static_cast<std::size_t>(size - 6));
        if (auto error = parser.handle(function, Cursor(params)))
            return failure(*error + " (byte " + std::to_string(offset) + ")");
        if (picture.commands.size() > kMaxDrawCommands)
            return failure("the picture holds more than " + std::to_string(kMaxDrawCommands) +
                           " drawing commands");
        offset += static_cast<std::size_t>(size);
    }
    result.ok = true;
    return result;
}

ReadResult readPictureFile(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return failure("cannot open " + path);
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (bytes.size() > kMaxPictureBytes)
            break;
    }
    const bool readError = std::ferror(f) != 0;
    std::fclose(f);
    if (readError)
        return failure("cannot read " + path);
    ReadResult result = readPicture(bytes);
    if (!result.ok)
        result.error = path + ": " + result.error;
    return result;
}

}  // namespace vantrel::wmf
