// The wave files shipped with the program: one for every name and kind the alarm can ask for,
// each a short 16 kHz mono 16-bit wave.

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/alarm/alarm.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

const std::filesystem::path kSoundsDir = VANTREL_SOUNDS_DIR;

std::uint32_t little32(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

void expectShortWave(const std::string& name)
{
    SCOPED_TRACE(name);
    const std::string bytes = testing::readWholeFile(kSoundsDir / name);
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    const std::uint32_t channelsAndFormat = little32(bytes, 20);
    EXPECT_EQ(channelsAndFormat & 0xFFFF, 1u);  // PCM
    EXPECT_EQ(channelsAndFormat >> 16, 1u);     // mono
    const std::uint32_t sampleRate = little32(bytes, 24);
    EXPECT_EQ(sampleRate, 16000u);
    EXPECT_EQ(little32(bytes, 32) >> 16, 16u);  // bits a sample
    const double seconds = static_cast<double>(bytes.size() - 44) / (sampleRate * 2.0);
    EXPECT_GT(seconds, 0.2);
    EXPECT_LE(seconds, 1.5);
}

TEST(ShippedSounds, EveryAlarmFindsItsOwnWave)
{
    expectShortWave(std::string(kArmingSound));
    for (const char* body : {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn",
                             "Uranus", "Neptune", "Pluto"}) {
        std::string nameOnly = body;
        for (char& c : nameOnly)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        expectShortWave(nameOnly + ".wav");
        for (const char* kind : {"rises", "sets", "zeniths", "nadirs"})
            expectShortWave(alarmSoundFile(body, kind));
    }
    for (const char* ruler : {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn"})
        expectShortWave(alarmSoundFile(ruler, "Hour"));
}

TEST(ShippedSounds, NoTwoSoundAlike)
{
    std::vector<std::string> seen;
    for (const auto& entry : std::filesystem::directory_iterator(kSoundsDir)) {
        if (entry.path().extension() != ".wav")
            continue;
        const std::string bytes = testing::readWholeFile(entry.path());
        for (const std::string& other : seen)
            EXPECT_NE(bytes, other) << entry.path().filename();
        seen.push_back(bytes);
    }
    EXPECT_EQ(seen.size(), 57u);
}

}  // namespace
}  // namespace vantrel::core
