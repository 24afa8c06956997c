// A place chosen by name, written as the location texts: coordinates, standard zone, title.

#include "core/places/place_texts.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

// Coordinates of the cities as atlases give them; the texts are the degrees and the minutes
// rounded to the nearest whole minute.
TEST(PlaceTexts, CoordinatesInTheProgramsOwnForm)
{
    const struct {
        const char* name;
        double latitudeDeg;
        double longitudeDeg;
        const char* latitude;
        const char* longitude;
    } rows[] = {
        {"Minneapolis", 44.98, -93.2638, "44N59", "93W16"},
        {"Sydney", -33.8679, 151.2073, "33S52", "151E12"},
        {"Greenwich, a shade west", 51.4779, -0.0015, "51N29", "0E00"},
        {"six minutes west", 0.0, -0.1, "0N00", "0W06"},
        {"minutes rounding up to a degree", -0.99999, 10.99999, "1S00", "11E00"},
        {"date line", 89.99999, -179.99999, "90N00", "180W00"},
        {"Quito, south of the equator", -0.2299, -78.5249, "0S14", "78W31"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(latitudeTextFromDegrees(row.latitudeDeg), row.latitude) << row.name;
        EXPECT_EQ(longitudeTextFromDegrees(row.longitudeDeg), row.longitude) << row.name;
    }
}

// Offsets as the tz database gives them at noon on 1 January and 1 July 2026 (zdump -v).
TEST(PlaceTexts, TimeZoneTextIsTheOffsetOutsideDaylightSaving)
{
    const struct {
        const char* zone;
        ZoneOffset january;
        ZoneOffset july;
        const char* text;
    } rows[] = {
        {"America/Chicago", {360, 0}, {300, 60}, "6"},
        {"Europe/Dublin", {0, -60}, {-60, 0}, "0"},
        {"Australia/Sydney", {-660, 60}, {-600, 0}, "-10"},
        {"Australia/Lord_Howe", {-660, 30}, {-630, 0}, "-10:30"},
        {"Asia/Kolkata", {-330, 0}, {-330, 0}, "-5:30"},
        {"America/St_Johns", {210, 0}, {150, 60}, "3:30"},
    };
    testing::FakeZoneRules rules;
    for (const auto& row : rows) {
        rules.answer = [&row](const LocalDateTime& moment, std::string_view zoneName) {
            EXPECT_EQ(zoneName, row.zone);
            EXPECT_EQ(moment.date.year(), 2026);
            return moment.date.civil().month == 1 ? row.january : row.july;
        };
        EXPECT_EQ(standardZoneText(rules, row.zone, 2026), row.text) << row.zone;
    }
    rules.answer = nullptr;
    EXPECT_EQ(standardZoneText(rules, "Atlantis/Capital", 2026), std::nullopt);
    EXPECT_EQ(standardZoneText(rules, "", 2026), std::nullopt) << "no zone is not the system's";
}

TEST(PlaceTexts, PlaceFillsTheThreeTextsAndTitle)
{
    testing::FakeZoneRules rules;
    rules.zones["America/Chicago"] = {360, 0};
    Place minneapolis{"Minneapolis",     "Minnesota", "United States of America", 44.98, -93.2638,
                      "America/Chicago", 410939};
    const LocationTexts texts = locationTextsFor(minneapolis, rules, 2026);
    EXPECT_EQ(texts.longitude, "93W16");
    EXPECT_EQ(texts.latitude, "44N59");
    EXPECT_EQ(texts.zone, "6");
    EXPECT_EQ(placeTitle(minneapolis), "Minneapolis, Minnesota, United States of America");

    minneapolis.region.clear();
    minneapolis.zoneName = "Nowhere/Else";
    EXPECT_EQ(locationTextsFor(minneapolis, rules, 2026).zone, std::nullopt);
    EXPECT_EQ(placeTitle(minneapolis), "Minneapolis, United States of America");
}

}  // namespace
}  // namespace vantrel::core
