#pragma once
// The web pages behind the "&Web" menus.

#include "ui/options_dialog.h"

namespace vantrel::ui {

// The program's own page: the manual that is installed with it.
inline constexpr const char* kHomePageCaption = "Vantrel &Home Page";
inline constexpr const char* kHomePage = "vantrel.html";
// Looking up a place's latitude and longitude; the options dialog's picture button opens the
// same page.
inline constexpr const char* kLocationLookupPage = kLocationLookupAddress;
// The U.S. Naval Observatory's astronomical applications data services.
inline constexpr const char* kNavalObservatoryPage = "https://aa.usno.navy.mil/data";
inline constexpr const char* kOtoPage = "https://oto.org/";
inline constexpr const char* kAstrologPage = "https://www.astrolog.org/";
// The Naval Observatory's page on its interactive computer almanac software.
inline constexpr const char* kAlmanacSoftwarePage = "https://aa.usno.navy.mil/software/mica_info";

}  // namespace vantrel::ui
