#pragma once

#include "device/device_link.h"
#include "presentation/format_state.h"
#include "records/receive_ring.h"
#include "records/records.h"
#include "presentation/view_state.h"

// Everything the program knows during a run, owned once by the application.
struct TimerState {
    ReceiveRing ring;
    Records records;
    FormatState format;
    ViewState view;
    DeviceLink link;
};
