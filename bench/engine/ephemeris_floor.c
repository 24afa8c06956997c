#include "ephemeris_floor.h"

#include <swephexp.h>

void floor_open(const char* folder)
{
    swe_set_ephe_path(folder);
}

double floor_run(const struct floor_moment* moments, size_t count, int with_rise_set)
{
    double sum = 0;
    char error[AS_MAXCH];
    for (size_t i = 0; i < count; ++i) {
        const struct floor_moment* m = &moments[i];
        const double zone_hours = m->zone_minutes_west / 60.0;
        const double jd = swe_julday(m->year, m->month, m->day,
                                     m->hour + m->minute / 60.0 + zone_hours, SE_GREG_CAL);
        double x[6];
        if (swe_calc_ut(jd, SE_SUN, SEFLG_SWIEPH, x, error) < 0)
            return -1;
        sum += x[0];
        if (swe_calc_ut(jd, SE_MOON, SEFLG_SWIEPH, x, error) < 0)
            return -1;
        sum += x[0];
        if (!with_rise_set)
            continue;
        const double midnight = swe_julday(m->year, m->month, m->day, zone_hours, SE_GREG_CAL);
        double place[3] = {m->longitude_east, m->latitude_north, 0};
        double rise = 0, set = 0;
        /* -2: the Sun stays above or below the horizon (far north or south) */
        if (swe_rise_trans(midnight, SE_SUN, NULL, SEFLG_SWIEPH, SE_CALC_RISE, place, 0, 0, &rise,
                           error) == ERR ||
            swe_rise_trans(midnight, SE_SUN, NULL, SEFLG_SWIEPH, SE_CALC_SET, place, 0, 0, &set,
                           error) == ERR)
            return -1;
        sum += rise + set;
    }
    return sum;
}
