#pragma once
// Dates, times of day and moments, each of its own type, so that a date passed where a time of
// day is expected does not compile:
// - Date: a day of the proleptic Gregorian calendar;
// - TimeOfDay: a reading of a clock within one day, to the millisecond;
// - LocalDateTime: a date and a time of day on some local clock, without a zone;
// - Instant: a moment in universal time, as a clock gives it.

#include <chrono>
#include <compare>
#include <optional>

namespace vantrel::core {

// A date written as year, month and day.
struct CivilDate {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    bool operator==(const CivilDate&) const = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);  // 0 for a month outside 1..12

class Date {
public:
    // 1 January 1970; a placeholder for records filled later, never a result.
    constexpr Date() = default;
    explicit constexpr Date(std::chrono::local_days days) : m_days(days) {}

    // The date, or nullopt when it does not exist (month 13, 31 February, a year outside
    // 1..9999).
    static std::optional<Date> fromCivil(int year, int month, int day);
    static std::optional<Date> fromCivil(const CivilDate& date);

    constexpr std::chrono::local_days days() const { return m_days; }
    CivilDate civil() const;
    int year() const { return civil().year; }
    // 1 = Sunday ... 7 = Saturday.
    int weekday() const;
    // The date `count` days later (earlier for a negative count).
    constexpr Date plusDays(int count) const { return Date(m_days + std::chrono::days(count)); }

    friend constexpr auto operator<=>(const Date&, const Date&) = default;

private:
    std::chrono::local_days m_days{};
};

// 30 December 1899, the day a time of day alone is formatted on: a date token in a time
// pattern shows it, as the program has always written it.
inline constexpr Date kDayZero{std::chrono::local_days{std::chrono::days(-25569)}};

class TimeOfDay {
public:
    static constexpr std::chrono::milliseconds kDay{86400000};

    // Midnight.
    constexpr TimeOfDay() = default;

    // nullopt outside 0..23 hours, 0..59 minutes, 0..59 seconds, 0..999 milliseconds.
    static std::optional<TimeOfDay> fromClock(int hour, int minute, int second = 0, int msec = 0);
    // The time `sinceMidnight` after midnight, counted round the clock: 25 hours is 1:00.
    static constexpr TimeOfDay fromDuration(std::chrono::milliseconds sinceMidnight)
    {
        auto ms = sinceMidnight % kDay;
        return TimeOfDay(ms < ms.zero() ? ms + kDay : ms);
    }

    constexpr std::chrono::milliseconds sinceMidnight() const { return m_sinceMidnight; }
    int hour() const { return static_cast<int>(m_sinceMidnight.count() / 3600000); }
    int minute() const { return static_cast<int>(m_sinceMidnight.count() / 60000 % 60); }
    int second() const { return static_cast<int>(m_sinceMidnight.count() / 1000 % 60); }
    int msec() const { return static_cast<int>(m_sinceMidnight.count() % 1000); }

    friend constexpr auto operator<=>(const TimeOfDay&, const TimeOfDay&) = default;

private:
    explicit constexpr TimeOfDay(std::chrono::milliseconds sinceMidnight)
        : m_sinceMidnight(sinceMidnight)
    {
    }
    std::chrono::milliseconds m_sinceMidnight{0};
};

using LocalTimePoint = std::chrono::local_time<std::chrono::milliseconds>;

struct LocalDateTime {
    Date date;
    TimeOfDay time;

    // The same reading as a point on the local time line, and back.
    constexpr LocalTimePoint timePoint() const { return date.days() + time.sinceMidnight(); }
    static constexpr LocalDateTime fromTimePoint(LocalTimePoint point)
    {
        const auto day = std::chrono::floor<std::chrono::days>(point);
        return {Date(day), TimeOfDay::fromDuration(point - day)};
    }

    friend constexpr auto operator<=>(const LocalDateTime&, const LocalDateTime&) = default;
};

constexpr LocalDateTime operator+(const LocalDateTime& from, std::chrono::milliseconds length)
{
    return LocalDateTime::fromTimePoint(from.timePoint() + length);
}
constexpr std::chrono::milliseconds operator-(const LocalDateTime& to, const LocalDateTime& from)
{
    return to.timePoint() - from.timePoint();
}

using Instant = std::chrono::sys_time<std::chrono::milliseconds>;

// The local reading of `moment` on a clock `minutesWest` minutes behind universal time.
constexpr LocalDateTime localTimeAt(Instant moment, int minutesWest)
{
    return LocalDateTime::fromTimePoint(
        LocalTimePoint(moment.time_since_epoch() - std::chrono::minutes(minutesWest)));
}

}  // namespace vantrel::core
