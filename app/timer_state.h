#pragma once

#include "device_link.h"
#include "format_state.h"
#include "receive_ring.h"
#include "record_table.h"
#include "view_state.h"

// Everything the program knows during a run, owned once by the application.
struct TimerState {
    ReceiveRing ring;
    RecordStore store;
    FormatState format;
    ViewState view;
    DeviceLink link;
};
