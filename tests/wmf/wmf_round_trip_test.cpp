#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/wmf/picture_bytes.h"
#include "wmf/wmf_reader.h"
#include "wmf/wmf_records.h"
#include "wmf/wmf_writer.h"

using namespace vantrel::wmf;

namespace {

std::vector<std::uint8_t> samplePicture()
{
    MetafileWriter w(0, 0, 7680, 5760, 1280);
    w.saveDC();
    w.setWindowOrg(0, 0);
    w.setWindowExt(7680, 5760);
    w.setBkMode(1);
    const int pen = w.createPen({PenStyle::Dash, 12, {255, 0, 0}});
    const int brush = w.createBrush({BrushStyle::Solid, {0, 0, 255}});
    const int font = w.createFont({-120, 700, 900, true, "Courier New"});
    w.selectObject(pen);
    w.selectObject(brush);
    w.selectObject(font);
    w.setTextColor({10, 20, 30});
    w.setTextAlign(text_align::kCenter | text_align::kBaseline);
    w.polyline({{1, 2}, {-3, 4}, {5000, -6}});
    w.polygon({{10, 10}, {20, 10}, {15, 20}});
    w.ellipse(100, 200, 300, 400);
    w.rectangle(-5, -6, 7680, 5760);
    w.extTextOut(640, 480, "Sun 13Gem10");
    w.extTextOut(1, 2, "odd");
    w.deleteObject(pen);
    w.restoreDC();
    return w.bytes();
}

std::uint16_t word(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

TEST(WmfRoundTrip, EveryWrittenRecordReadsBackAsItsCommand)
{
    const auto bytes = samplePicture();
    const ReadResult result = readPicture(bytes);
    ASSERT_TRUE(result.ok) << result.error;
    const Picture& p = result.picture;
    EXPECT_EQ(p.boundsRight, 7680);
    EXPECT_EQ(p.boundsBottom, 5760);
    EXPECT_EQ(p.unitsPerInch, 1280);

    std::vector<CommandKind> kinds;
    for (const auto& c : p.commands)
        kinds.push_back(c.kind);
    const std::vector<CommandKind> expected = {CommandKind::SaveState,
                                               CommandKind::SetWindowOrigin,
                                               CommandKind::SetWindowExtent,
                                               CommandKind::SetBackgroundMode,
                                               CommandKind::SelectPen,
                                               CommandKind::SelectBrush,
                                               CommandKind::SelectFont,
                                               CommandKind::SetTextColor,
                                               CommandKind::SetTextAlign,
                                               CommandKind::Polyline,
                                               CommandKind::Polygon,
                                               CommandKind::Ellipse,
                                               CommandKind::Rectangle,
                                               CommandKind::Text,
                                               CommandKind::Text,
                                               CommandKind::RestoreState};
    ASSERT_EQ(kinds, expected);

    const auto& c = p.commands;
    EXPECT_EQ(c[2].point, (Point{7680, 5760}));
    EXPECT_EQ(c[3].value, 1);
    EXPECT_EQ(c[4].pen, (Pen{PenStyle::Dash, 12, {255, 0, 0}}));
    EXPECT_EQ(c[5].brush, (Brush{BrushStyle::Solid, {0, 0, 255}}));
    EXPECT_EQ(c[6].font, (Font{-120, 700, 900, true, "Courier New"}));
    EXPECT_EQ(c[7].color, (Color{10, 20, 30}));
    EXPECT_EQ(c[8].value, text_align::kCenter | text_align::kBaseline);
    EXPECT_EQ(c[9].points, (std::vector<Point>{{1, 2}, {-3, 4}, {5000, -6}}));
    EXPECT_EQ(c[10].points.size(), 3u);
    EXPECT_EQ(c[11].point, (Point{100, 200}));
    EXPECT_EQ(c[11].point2, (Point{300, 400}));
    EXPECT_EQ(c[12].point, (Point{-5, -6}));
    EXPECT_EQ(c[13].point, (Point{640, 480}));
    EXPECT_EQ(c[13].text, "Sun 13Gem10");
    EXPECT_EQ(c[14].text, "odd");
}

TEST(WmfWriter, HeadersAreConsistentWithTheRecords)
{
    const auto b = samplePicture();
    // placeable header checksum: XOR of its first ten words
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        sum ^= word(b, i);
    EXPECT_EQ(word(b, 20), sum);
    // file size in words, after the placeable header
    const std::uint32_t sizeWords = word(b, 22 + 6) | (word(b, 22 + 8) << 16);
    EXPECT_EQ(sizeWords * 2, b.size() - 22);
    EXPECT_EQ(word(b, 22 + 10), 3) << "three objects were created";
    // the file ends with the end record
    EXPECT_EQ(word(b, b.size() - 2), 0);
    EXPECT_EQ(word(b, b.size() - 6), 3);
}

TEST(WmfWriter, ObjectSlotsAreReusedLowestFirst)
{
    MetafileWriter w(0, 0, 10, 10, 1440);
    const int a = w.createPen({});
    const int b = w.createPen({});
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    w.deleteObject(a);
    EXPECT_EQ(w.createBrush({}), 0);
    EXPECT_THROW(w.deleteObject(5), std::logic_error);
}

TEST(WmfReader, SelectingAReusedSlotYieldsTheNewObject)
{
    MetafileWriter w(0, 0, 10, 10, 1440);
    const int pen = w.createPen({PenStyle::Solid, 1, {1, 1, 1}});
    w.deleteObject(pen);
    const int brush = w.createBrush({BrushStyle::Null, {2, 2, 2}});
    w.selectObject(brush);
    const auto r = readPicture(w.bytes());
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.picture.commands.size(), 1u);
    EXPECT_EQ(r.picture.commands[0].kind, CommandKind::SelectBrush);
    EXPECT_EQ(r.picture.commands[0].brush.style, BrushStyle::Null);
}

// The object table as GDI keeps it: the lowest free slot, at most 65536 slots (handles are 16
// bits; a creation beyond is skipped).
TEST(WmfReader, ObjectsTakeTheLowestFreeSlotUpToSixtyFiveThousand)
{
    namespace r = record;
    vantrel::testing::PictureBytes picture;
    for (std::uint16_t i = 0; i < 5; ++i)
        picture.pen(i);
    picture.record(r::kDeleteObject, {3});
    picture.record(r::kDeleteObject, {1});
    picture.record(r::kDeleteObject, {1});               // a second delete frees nothing
    picture.record(r::kCreateBrushIndirect, {0, 7, 0});  // slot 1
    picture.pen(33);                                     // slot 3
    picture.pen(55);                                     // slot 5
    for (int i = 6; i <= 65536; ++i)                     // slots 6 to 65535, then none
        picture.pen(static_cast<std::uint16_t>(i == 65535 ? 99 : 0));
    picture.record(r::kDeleteObject, {0});
    picture.pen(11);  // slot 0 again
    for (const std::uint16_t slot : {0, 1, 3, 5, 65535})
        picture.record(r::kSelectObject, {slot});
    const auto read = readPicture(picture.finished());
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(read.picture.commands.size(), 5u);
    const auto& c = read.picture.commands;
    EXPECT_EQ(c[0].pen.color.red, 11);
    EXPECT_EQ(c[1].kind, CommandKind::SelectBrush);
    EXPECT_EQ(c[2].pen.color.red, 33);
    EXPECT_EQ(c[3].pen.color.red, 55);
    EXPECT_EQ(c[4].pen.color.red, 99) << "the creation past the table took a slot";
}

TEST(WmfReader, AtMostFiftyThousandDrawingCommands)
{
    for (const std::size_t count : {kMaxDrawCommands, kMaxDrawCommands + 1}) {
        vantrel::testing::PictureBytes picture;
        for (std::size_t i = 0; i < count; ++i)
            picture.record(record::kSaveDC, {});
        const auto read = readPicture(picture.finished());
        EXPECT_EQ(read.ok, count == kMaxDrawCommands) << count;
        if (!read.ok) {
            EXPECT_EQ(read.error, "the picture holds more than 50000 drawing commands");
        }
    }
}

TEST(WmfReader, UnknownRecordsAreSkipped)
{
    MetafileWriter w(0, 0, 10, 10, 1440);
    w.rectangle(1, 2, 3, 4);
    auto b = w.bytes();
    // insert a SetMapMode record (0x0103, one parameter) before the end record
    const std::vector<std::uint8_t> unknown = {4, 0, 0, 0, 0x03, 0x01, 8, 0};
    b.insert(b.end() - 6, unknown.begin(), unknown.end());
    const auto r = readPicture(b);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.picture.commands.size(), 1u);
    EXPECT_EQ(r.picture.commands[0].kind, CommandKind::Rectangle);
}

TEST(WmfReader, MetafileWithoutPlaceableHeaderIsRead)
{
    MetafileWriter w(0, 0, 10, 10, 1440);
    w.ellipse(0, 0, 5, 5);
    auto b = w.bytes();
    b.erase(b.begin(), b.begin() + 22);
    const auto r = readPicture(b);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.picture.unitsPerInch, 0);
    ASSERT_EQ(r.picture.commands.size(), 1u);
}

TEST(WmfReader, RefusesDamagedFiles)
{
    const auto good = samplePicture();
    struct Row {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* expectedWords;
    };
    auto cut = [&](std::size_t n) {
        return std::vector<std::uint8_t>(good.begin(), good.begin() + n);
    };
    auto noEof = cut(good.size() - 6);
    auto badSize = good;
    badSize[22 + 18] = 0xFF;  // first record claims about 64 KiB
    badSize[22 + 19] = 0x7F;
    auto zeroSize = good;
    zeroSize[22 + 18] = 1;
    zeroSize[22 + 19] = 0;
    auto text = std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd',
                                          ' ', 't', 'h', 'i', 's', ' ', 'i', 's', ' ', 'n', 'o'};
    const Row rows[] = {
        {"empty", {}, "truncated"},
        {"inside placeable header", cut(10), "truncated"},
        {"inside metafile header", cut(30), "truncated"},
        {"inside a record", cut(good.size() - 9), "truncated"},
        {"no end record", noEof, "truncated"},
        {"record larger than the file", badSize, "runs past the end"},
        {"record of impossible size", zeroSize, "impossible size"},
        {"plain text", text, "not a Windows Metafile"},
        {"oversized", std::vector<std::uint8_t>(kMaxPictureBytes + 1, 0), "too large"},
    };
    for (const auto& row : rows) {
        const auto r = readPicture(row.bytes);
        EXPECT_FALSE(r.ok) << row.name;
        EXPECT_NE(r.error.find(row.expectedWords), std::string::npos)
            << row.name << ": " << r.error;
    }
}

TEST(WmfReader, FileErrorsNameTheFile)
{
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("vantrel-wmf-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    const auto missing = (dir / "missing.wmf").string();
    auto r = readPictureFile(missing);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(missing), std::string::npos);

    const auto path = (dir / "chart.wmf").string();
    ASSERT_TRUE(writeFile(path, samplePicture()));
    r = readPictureFile(path);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.picture.commands.size(), 16u);
    std::filesystem::remove_all(dir);
}
