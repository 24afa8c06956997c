#pragma once
// What every fuzz target shares: the libFuzzer entry point's signature, a way to say that an
// invariant broke (abort, which both libFuzzer and the replay driver report as a crash), and the
// regional conventions an input may pick with its first byte.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/common/regional_settings.h"
#include "tests/fakes/test_locales.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace vantrel::fuzz {

inline std::string_view textOf(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

inline void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// The first byte picks the conventions; the rest of the input is returned.
inline core::RegionalSettings regionalFrom(std::string_view& input)
{
    const unsigned choice = input.empty() ? 0 : static_cast<unsigned char>(input.front());
    if (!input.empty())
        input.remove_prefix(1);
    switch (choice % 5) {
    case 1:
        return testing::german();
    case 2:
        return testing::finnish();
    case 3:
        return testing::yearFirst();
    case 4:
        return testing::usEnglishTwoDigitYear();
    default:
        return core::usEnglishRegionalSettings();
    }
}

}  // namespace vantrel::fuzz
