#pragma once

// Small formatting pieces shared by the listings. Every angle is truncated, never rounded:
// a body at 29 degrees 59.8 minutes of a sign is in that sign at 29 degrees 59 minutes.

#include <string>

#include "engine/chart.h"

namespace vantrel::engine {

// Sign 0-11 (Aries..Pisces) of an ecliptic longitude.
int signOf(double longitudeDeg);

// Appends value in decimal, padded on the left with pad to width characters.
void appendNumber(std::string& out, unsigned long value, int width, char pad);

// "13Gem10": whole degree within the sign (blank-padded), sign, whole minutes.
std::string zodiacText(double longitudeDeg);
void appendZodiac(std::string& out, double longitudeDeg);

// "+ 3:11'" / "- 0:05'": sign, whole degrees blank-padded to two, whole minutes.
std::string signedDegreesText(double deg);
void appendSignedDegrees(std::string& out, double deg);

// "057:14'"-free form used for azimuths: "%3d:%02d'" of a value in 0..360.
std::string azimuthText(double deg);

// "(R)", "(e)", "(d)", "(f)" or "(-)": the dignity of a planet in a sign.
char dignityCode(Object object, int sign);

// "Wednesday" etc., 0 = Sunday.
const char* weekdayName(int weekday);

// " 3/14/2001" (month first) or "14- 3-2001" (day first), fields padded as in listings; the
// fields are never negative.
std::string listingDate(int year, int month, int day, bool dayFirst);

// " 9:07pm", "12:08am": the twelve-hour clock, hour blank-padded.
std::string twelveHourTime(int hour, int minute);

// The chart's heading line: weekday, date, time, zone, place.
std::string chartHeading(const Chart& chart, bool dayFirst);

// printf into a std::string.
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vantrel::engine
