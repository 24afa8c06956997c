#pragma once
// The canned engine listings and command files the core tests compare with, kept under
// tests/data/core. A test target that includes this defines VANTREL_TEST_DATA_DIR.

#include <string>
#include <vector>

#include "core/common/text_file.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::testing {

inline std::string dataPath(const std::string& name)
{
    return std::string(VANTREL_TEST_DATA_DIR) + "/" + name;
}

// The file's bytes as they stand.
inline std::string dataText(const std::string& name)
{
    return readWholeFile(dataPath(name));
}

// The file's lines, as the program reads a listing.
inline std::vector<std::string> dataLines(const std::string& name)
{
    return core::readLinesFromFile(dataPath(name)).value();
}

// An engine stand-in that answers with the listings of the worked example: the chart of
// 3 June 2000, 8:03 PM, at 93W21 45N05, and the rises and sets of that day and the next.
inline FakeProcessRunner::Responder exampleListings()
{
    return FakeProcessRunner::cannedListings(
        {{"chart.txt", dataText("chart_2000-06-03.txt")},
         {"riseset.txt", dataText("riseset_2000-06-03.txt")},
         {"risesetn.txt", dataText("risesetn_2000-06-04.txt")}});
}

}  // namespace vantrel::testing
