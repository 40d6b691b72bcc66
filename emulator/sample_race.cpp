#include "emulator/sample_race.h"

#include <chrono>
#include <ctime>
#include <random>

std::vector<TimerRecordBytes> SampleRace(std::uint32_t dayOffsetMs, unsigned seed, int competitors)
{
    std::mt19937 rng(seed);
    auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    std::vector<TimerRecordBytes> race;
    int bib = between(1, 4);
    for (int i = 0; i < competitors; ++i) {
        TimerRecordSpec r;
        r.dayOffset = dayOffsetMs;
        r.bib = bib;
        bib += between(1, 10) > 8 ? between(2, 4) : 1; // numbers left unissued
        r.start = 60000u + static_cast<std::uint32_t>(i) * 30000u + static_cast<std::uint32_t>(between(0, 400));
        const std::uint32_t lap = static_cast<std::uint32_t>(between(330000, 520000));
        r.split1 = r.start + lap + static_cast<std::uint32_t>(between(0, 20000));
        r.split2 = r.split1 + lap + static_cast<std::uint32_t>(between(0, 30000));
        if (between(1, 3) > 1)
            r.split3 = r.split2 + lap + static_cast<std::uint32_t>(between(0, 40000));
        // The fifth competitor always retires with the time entered by hand.
        const int fate = i == 4 ? 6 : between(1, 100);
        if (fate <= 6) {
            r.dnf = true;
            r.split3 = 0;
        } else {
            r.finish = (r.split3 ? r.split3 : r.split2) + lap + static_cast<std::uint32_t>(between(0, 40000));
        }
        // A did-not-finish entered by hand, or a finish taken by hand.
        r.manual = fate == 6 || (fate > 6 && fate <= 10);
        const int source = between(1, 100);
        r.source = source <= 75 ? 1 : (source <= 90 ? 2 : 3);
        race.push_back(MakeTimerRecord(r));
    }
    return race;
}

std::vector<TimerRecordBytes> ReferenceRace() { return SampleRace(36000000, 11, 48); }

std::uint32_t DayOffsetAnHourAgo()
{
    const std::time_t now = std::time(nullptr);
    // Called once, before any other thread runs.
    const std::tm local = *std::localtime(&now);
    const long ms = ((local.tm_hour * 60L + local.tm_min) * 60L + local.tm_sec) * 1000L;
    const long anHourAgo = ms - 3600000L;
    return static_cast<std::uint32_t>(anHourAgo < 0 ? anHourAgo + 86400000L : anHourAgo);
}
