// The command-line modes that only tell: usage, version and an unknown option. They create no Qt
// application, so they never reach the display, the clipboard or a file.

#include <iostream>

#include "app/locations.h"
#include "app/modes.h"
#include "platform/libreoffice_link.h"
#include "ui/about_box.h"

namespace vantrel::app {

int printUsage(std::ostream& out)
{
    const core::FileLocations places = programLocations(homeFolder());
    out << "Usage: vantrel               open the window\n"
           "       vantrel x             print the Thelemic date of this moment (and copy it to\n"
           "                             the clipboard when there is a display)\n"
           "       vantrel INPUT OUTPUT  convert a file of dates into a file of Thelemic dates;\n"
           "                             each line: name,text,date,time,zone,longitude,latitude,\n"
           "                             the date in the order of your date format (LC_TIME)\n"
           "       vantrel --calendar YEAR FILE\n"
           "                             write the year's Moon phases, the Sun's entries into\n"
           "                             the signs and the feasts as an iCalendar file (- for\n"
           "                             standard output)\n"
           "       vantrel -h | --help   show this text\n"
           "       vantrel --version     show the version\n"
           "Any other single argument that does not begin with - empties the clipboard.\n"
           "Qt's own options (-style NAME, -platform NAME, -reverse, ...) work with every mode.\n"
           "\n"
           "Files of this user:\n"
           "  settings        "
        << places.settingsFile.string()
        << "\n"
           "  working folder  "
        << places.workDir.string()
        << "\n"
           "                  command files, listings, saved files; your own copies of\n"
           "                  verses.txt, tips.txt, feasts.txt, vantrel.html and the\n"
           "                  sounds win there\n"
           "  data files      "
        << places.dataDir.string()
        << "\n"
           "  chart engine    vantrel-engine beside this program, unless the settings' key\n"
           "                  Astrolog names another command\n"
           "The command-line modes run the engine in a private folder of their own.\n"
           "\n"
           "Exit status: 0 done; 1 an error, reported on standard error; 2 an unknown option\n"
           "or an option with the wrong arguments.\n"
           "More in vantrel(1).\n";
    return 0;
}

int reportUnknownOption(const std::string& argument)
{
    std::cerr << "vantrel: unknown option '" << argument << "'\n\n";
    printUsage(std::cerr);
    return 2;
}

int reportMisusedOption(const std::string& option, const std::string& takes)
{
    std::cerr << "vantrel: " << option << " takes " << takes << "\n\n";
    printUsage(std::cerr);
    return 2;
}

int printVersion()
{
    std::cout << "vantrel " << ui::kVersionText << '\n';
    // Each build choice that changes what the program can do adds its line here.
    std::cout << "letter: " << platform::letterRoute() << '\n';
    std::cout << "Free software under the GNU Affero General Public License, version 3 or later.\n";
    return 0;
}

}  // namespace vantrel::app
