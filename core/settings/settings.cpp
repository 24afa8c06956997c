#include "core/settings/settings.h"

namespace vantrel::core {

void reset(Settings& settings)
{
    settings.DayBegins = 0;
    settings.ODateFormat = 1;
    settings.OTimeFormat = 0;
    settings.OLines = 1;
    settings.OFormat = 0;
    settings.OTime = 0;
    settings.OAspect = 1;
    settings.OBasic = 1;
    settings.OZodiac = 0;
    settings.OHouseSystem = 0;

    settings.OClear = true;
    settings.OAspects = false;
    settings.OWheelChart = false;
    settings.WheelReverse = true;
    settings.Monochrome = true;
    settings.OHints = true;
    settings.UpdateCaption = false;
    settings.Greetings = false;
    settings.Quoted = false;
    settings.ReplaceClip = false;

    settings.cbSun = true;
    for (bool* box : {&settings.cbMoon, &settings.cbMercury, &settings.cbVenus, &settings.cbMars,
                      &settings.cbJupiter, &settings.cbNeptune, &settings.cbUranus,
                      &settings.cbSaturn, &settings.cbPluto})
        *box = false;
    for (bool* box : {&settings.cbHSun, &settings.cbHMoon, &settings.cbHMercury,
                      &settings.cbHVenus, &settings.cbHMars, &settings.cbHJupiter,
                      &settings.cbHSaturn})
        *box = false;
    // The location texts and the engine command are left as they are.
}

}  // namespace vantrel::core
