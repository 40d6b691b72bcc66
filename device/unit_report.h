#pragma once

#include <cstddef>

// The unit's report as hidapi hands it over: the report-id byte 0, then the
// unit's 8 bytes. Where the system does not say (or says less), this is the
// length the link reads and writes.
constexpr std::size_t UnitReportLength = 9;
