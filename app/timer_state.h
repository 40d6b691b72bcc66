#pragma once

#include "device/device_link.h"
#include "presentation/format_state.h"
#include "records/receive_ring.h"
#include "records/record_table.h"
#include "presentation/view_state.h"

// Everything the program knows during a run, owned once by the application.
struct TimerState {
    ReceiveRing ring;
    RecordTableState table;
    FormatState format;
    ViewState view;
    DeviceLink link;
};
