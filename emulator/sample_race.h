#pragma once

#include "emulator/timer_record.h"

#include <cstdint>
#include <vector>

// A plausible race for demonstrations: interval starts, up to three splits,
// finishes, a few did-not-finish and manual entries, mixed sources and bib
// numbers with gaps. `dayOffsetMs` is the time of day at counter zero.
std::vector<TimerRecordBytes> SampleRace(std::uint32_t dayOffsetMs, unsigned seed = 7, int competitors = 48);

// The fixed race that the USB gadget holds and the tests on the real device
// path compare against.
std::vector<TimerRecordBytes> ReferenceRace();

// Time of day of the computer's clock an hour ago, in milliseconds.
std::uint32_t DayOffsetAnHourAgo();
