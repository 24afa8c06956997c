#include <regex>
#include <set>

#include <gtest/gtest.h>

#include "engine/objects.h"
#include "engine/text_format.h"
#include "tests/engine/engine_test_support.h"
#include "wmf/wmf_reader.h"

using namespace vantrel::engine;
using namespace vantrel::engine::testing;

namespace {

bool isSign(const std::string& s)
{
    return std::find(kSignAbbreviations.begin(), kSignAbbreviations.end(), s) !=
           kSignAbbreviations.end();
}

std::string runFixture(ScratchFolder& folder, const std::string& fixtureName,
                       const std::string& output)
{
    folder.write("input.txt", fixture(fixtureName));
    const EngineRun run = runEngine(folder);
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    return folder.read(output);
}

vantrel::wmf::ReadResult readPicture(const std::string& bytes)
{
    return vantrel::wmf::readPicture(
        {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

double longitudeOf(const std::string& row)
{
    const int sign = static_cast<int>(
        std::find(kSignAbbreviations.begin(), kSignAbbreviations.end(), row.substr(8, 3)) -
        kSignAbbreviations.begin());
    return sign * 30 + std::stoi(row.substr(6, 2)) + std::stoi(row.substr(11, 2)) / 60.0;
}

}  // namespace

TEST(ChartListing, RowsHoldTheirColumns)
{
    ScratchFolder folder;
    const std::string text = runFixture(folder, "chart_input_2001-03-14.txt", "chart.txt");
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    const auto rows = lines(text);
    ASSERT_EQ(rows.size(), 3u + 14u) << "ten planets, Node, Fortune, Vertex, East Point";
    EXPECT_EQ(rows[1], "Body  Locat. Ret. Lati. Rul.      House  Rul. Veloc.    Koch Houses.");
    EXPECT_EQ(rows[2], "");
    EXPECT_EQ(rows[3].substr(0, 3), "Sun");
    EXPECT_EQ(rows[4].substr(0, 4), "Moon");
    const std::regex row(
        R"(^[A-Z][a-z ]{3}: [ 12]\d[A-Z][a-z]{2}[0-5]\d [ R] (?:[+-][ \d]\d:[0-5]\d'|_______) )"
        R"(\([-Redf]\) \[[ 1]\d(st|nd|rd|th) house\] \[[-Redf]\] (?:[+-]\d\.\d{3}|[+-]\d\d\.\d\d|______)$)");
    for (std::size_t i = 3; i < rows.size(); ++i) {
        EXPECT_TRUE(std::regex_match(rows[i].substr(0, 51), row)) << rows[i];
        EXPECT_TRUE(isSign(rows[i].substr(8, 3))) << rows[i];
        if (i - 3 < 12)
            EXPECT_EQ(rows[i].substr(51, 20),
                      format("  -  House cusp %2d: ", static_cast<int>(i - 2)))
                << rows[i];
        else
            EXPECT_EQ(rows[i].size(), 51u);
    }
    EXPECT_EQ(rows[3].substr(14, 1), " ") << "the Sun is never retrograde";
}

// The sidereal zodiac stands behind the tropical one by the Fagan/Bradley ayanamsa, which
// was about 24 deg 45' in 2001 (it is 24 deg 44' at 2000.0 and grows about 50" a year).
TEST(ChartListing, SiderealZodiacIsShiftedByTheAyanamsa)
{
    ScratchFolder folder;
    const auto sidereal = lines(runFixture(folder, "chart_input_2001-03-14.txt", "chart.txt"));
    std::string tropicalInput = fixture("chart_input_2001-03-14.txt");
    tropicalInput.erase(tropicalInput.find("/s\r\n"));
    folder.write("input.txt", tropicalInput);
    ASSERT_EQ(runEngine(folder).exitCode, 0);
    const auto tropical = lines(folder.read("chart.txt"));
    for (std::size_t i : {3u, 4u, 5u}) {
        double shift = longitudeOf(tropical[i]) - longitudeOf(sidereal[i]);
        shift += shift < 0 ? 360 : 0;
        EXPECT_NEAR(shift, 24.75, 0.05) << tropical[i] << " / " << sidereal[i];
    }
}

TEST(RiseSetListing, LinesHoldTheirColumns)
{
    ScratchFolder folder;
    const auto rows = lines(runFixture(folder, "risesetn_input_2001-03-15.txt", "risesetn.txt"));
    ASSERT_FALSE(rows.empty());
    const std::regex row(
        R"(^\(Thu\) 15- 3-2001 [ 1]\d:[0-5]\d[ap]m [ A-Za-z]{7} [\(\[][A-Z][a-z]{2}[\)\]] )"
        R"((rises   at [ \d]{2}\d:[0-5]\d'|sets    at [ \d]{2}\d:[0-5]\d'|zeniths at [+-]\d\d:[0-5]\d'|nadirs  at [+-]\d\d:[0-5]\d')$)");
    std::set<std::string> names;
    for (const auto& line : rows) {
        EXPECT_TRUE(std::regex_match(line, row)) << line;
        EXPECT_NE(line[31], ' ') << "name ends in column 32: " << line;
        names.insert(line.substr(25, 7));
    }
    EXPECT_EQ(names.size(), 10u) << "Sun through Pluto";
}

TEST(TextWheel, SizeAndContents)
{
    ScratchFolder folder;
    const auto rows = lines(runFixture(folder, "wheel_input_2001-03-14.txt", "wheel.txt"));
    ASSERT_EQ(rows.size(), 4u * 10 + 5);
    std::string all;
    for (const auto& r : rows) {
        EXPECT_EQ(r.size(), 61u) << r;
        all += r + "\n";
    }
    for (const char* name :
         {"Sun", "Moo", "Mer", "Ven", "Mar", "Jup", "Sat", "Ura", "Nep", "Plu", "Nod"})
        EXPECT_NE(all.find(std::string(" ") + name + " "), std::string::npos) << name;
    EXPECT_EQ(all.find(" Chi "), std::string::npos) << "restricted";
    EXPECT_NE(all.find("Wednesday  3/14/2001"), std::string::npos);
    EXPECT_EQ(rows[0].front(), '+');
    EXPECT_EQ(rows.back(), "+--------------+--------------+--------------+--------------+");
}

TEST(WheelPicture, ReadsBackWithTheRecordsTheWheelWindowDraws)
{
    ScratchFolder folder;
    const auto result = readPicture(runFixture(folder, "wheel_input_2001-03-14.txt", "chart.wmf"));
    ASSERT_TRUE(result.ok) << result.error;
    const auto& p = result.picture;
    EXPECT_EQ(p.boundsRight - p.boundsLeft, 7680);
    EXPECT_EQ(p.boundsBottom - p.boundsTop, 5760);
    EXPECT_EQ(p.unitsPerInch, 1280);
    std::set<vantrel::wmf::CommandKind> kinds;
    std::vector<std::string> texts;
    for (const auto& c : p.commands) {
        kinds.insert(c.kind);
        if (c.kind == vantrel::wmf::CommandKind::Text)
            texts.push_back(c.text);
    }
    using K = vantrel::wmf::CommandKind;
    for (K k : {K::SaveState, K::SetWindowOrigin, K::SetWindowExtent, K::SetBackgroundMode,
                K::SelectPen, K::SelectBrush, K::SelectFont, K::SetTextColor, K::SetTextAlign,
                K::Polyline, K::Polygon, K::Ellipse, K::Rectangle, K::Text, K::RestoreState})
        EXPECT_EQ(kinds.count(k), 1u) << static_cast<int>(k);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Wednesday"), texts.end());
    EXPECT_NE(std::find_if(texts.begin(), texts.end(),
                           [](const std::string& t) { return t.rfind("House  1: ", 0) == 0; }),
              texts.end());
}

TEST(WheelPicture, ColoursFollowReversedAndMonochrome)
{
    using vantrel::wmf::Color;
    struct Row {
        const char* switches;
        Color background;
        std::size_t textColours;
    } rows[] = {
        {"", {0, 0, 0}, 5},  // white on black, four element colours and white
        {"/Xr\r\n", {255, 255, 255}, 5},
        {"/Xm\r\n", {0, 0, 0}, 1},
        {"/Xr\r\n/Xm\r\n", {255, 255, 255}, 1},
    };
    for (const Row& row : rows) {
        ScratchFolder folder;
        folder.write("input.txt", "@\r\n/qb 3 14 2001 21:07PM DT 5 74W00 40N43\r\n/XM0\r\n" +
                                      std::string(row.switches));
        ASSERT_EQ(runEngine(folder).exitCode, 0);
        const auto result = readPicture(folder.read("chart.wmf"));
        ASSERT_TRUE(result.ok) << result.error;
        // the first brush fills the background
        const auto& cmds = result.picture.commands;
        auto brush = std::find_if(cmds.begin(), cmds.end(), [](const auto& c) {
            return c.kind == vantrel::wmf::CommandKind::SelectBrush;
        });
        ASSERT_NE(brush, cmds.end());
        EXPECT_EQ(brush->brush.color, row.background) << row.switches;
        std::set<std::tuple<int, int, int>> colours;
        for (const auto& c : cmds)
            if (c.kind == vantrel::wmf::CommandKind::SetTextColor)
                colours.insert({c.color.red, c.color.green, c.color.blue});
        EXPECT_EQ(colours.size(), row.textColours) << row.switches;
    }
}

TEST(AspectsOutput, SectionsInTheirOrderAndConsistentFigures)
{
    ScratchFolder folder;
    const auto rows = lines(runFixture(folder, "aspects_input_2001-03-14.txt", "aspects.txt"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].rfind("Aspect grid", 0), 0u);
    std::vector<std::size_t> blankPairs;
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i].empty() && rows[i - 1].empty())
            blankPairs.push_back(i);
    ASSERT_EQ(blankPairs.size(), 3u) << "four sections, two empty lines between";
    EXPECT_EQ(rows[blankPairs[0] + 1].substr(0, 4), "  1:");
    EXPECT_EQ(rows[blankPairs[1] + 1].rfind("Body        Altitude", 0), 0u);
    EXPECT_EQ(rows[blankPairs[2] + 1].rfind("Body        Power", 0), 0u);
    double previousPower = 1e9;
    for (std::size_t i = blankPairs[0] + 1; i < blankPairs[1] - 1; ++i) {
        const double power = std::stod(rows[i].substr(rows[i].rfind(' ') + 1));
        EXPECT_LE(power, previousPower) << rows[i];
        previousPower = power;
    }
    double share = 0;
    for (std::size_t i = blankPairs[2] + 2; i < rows.size(); ++i)
        share += std::stod(rows[i].substr(rows[i].size() - 6, 5));
    EXPECT_NEAR(share, 100.0, 0.6);
}

// A restricted object is left out of the work, not only of the listing: the chart of the Sun
// and the Moon alone and the rise and set listing of the Sun alone hold exactly those lines of
// the full listings, and a listing of no body says so.
TEST(RestrictedObjects, ListingsHoldTheUnrestrictedAlone)
{
    const std::string head = "@\r\n/qb 3 15 2001 21:07PM ST -1 74W00 40N43\r\n/os out.txt\r\n";
    const std::string allButSunAndMoon =
        "/R Mer Ven Mar Jup Sat Ura Nep Plu Chi Cer Pal Jun Ves Nod Lil For Ver Eas\r\n";
    auto listing = [&head](const std::string& tail) {
        ScratchFolder folder;
        folder.write("input.txt", head + tail);
        EXPECT_EQ(runEngine(folder).exitCode, 0) << tail;
        return lines(folder.read("out.txt"));
    };
    std::vector<std::string> sunEvents;
    for (const auto& line : listing("/Zd\r\n"))
        if (line.substr(25, 7) == "    Sun")
            sunEvents.push_back(line);
    EXPECT_FALSE(sunEvents.empty());
    EXPECT_EQ(listing(allButSunAndMoon + "/R Moo\r\n/Zd\r\n"), sunEvents);
    EXPECT_EQ(listing(allButSunAndMoon + "/R Sun Moo\r\n/Zd\r\n"),
              std::vector<std::string>{"No horizon events found."});

    // Placidus, and houses that are the signs from Aries, which need no angles when the
    // points drawn from them are restricted too
    for (const std::string houses : {"", "/c 13\r\n"}) {
        const auto full = listing(houses);
        const auto sunAndMoon = listing(houses + allButSunAndMoon);
        ASSERT_EQ(sunAndMoon.size(), 3u + 12u) << "the Sun, the Moon, then the other cusps alone";
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_EQ(sunAndMoon[i], full[i]);
        for (std::size_t i = 5; i < sunAndMoon.size(); ++i)
            EXPECT_EQ(sunAndMoon[i], std::string(51, ' ') + full[i].substr(51));
    }
}
