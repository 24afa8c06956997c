/* The ephemeris floor: what a batch line costs when nothing but the Swiss Ephemeris is asked,
 * in one thread. The in-process benchmark holds the engine against it. */
#ifndef VANTREL_BENCH_EPHEMERIS_FLOOR_H
#define VANTREL_BENCH_EPHEMERIS_FLOOR_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A batch line's moment and place, on standard time. */
struct floor_moment {
    int year, month, day, hour, minute;
    int zone_minutes_west;
    double longitude_east, latitude_north;
};

/* Opens the ephemeris of folder for the calling thread. */
void floor_open(const char* folder);

/* For every moment, the Sun's and the Moon's longitudes (without their daily motion, the least a
 * batch line needs); with_rise_set: also the Sun's rise and set after the start of the local day.
 * Returns a sum of the results, so that none is skipped, or a negative value when the ephemeris
 * failed. */
double floor_run(const struct floor_moment* moments, size_t count, int with_rise_set);

#ifdef __cplusplus
}
#endif

#endif
