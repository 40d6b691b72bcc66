#pragma once

// The poll and the commands on their own: a scripted unit, a counting list,
// Timer1's switch, the wake-ups the poll asks for and a virtual clock.
#include "records/poll_tick.h"
#include "records/timer_commands.h"
#include "support/recording_scroll.h"
#include "support/ring_writer.h"

#include <deque>
#include <utility>
#include <vector>

// One read call, as pieces of bytes with a wait for a report between them.
struct ReadCall {
    std::vector<std::vector<std::uint8_t>> pieces;
};

// The unit port with read calls given in advance. Each read of a report costs
// `usPerPiece` on the clock, so work can outlast a slice.
class ScriptedUnit : public TimerUnitPort {
public:
    ScriptedUnit(ReceiveRing& ring, VirtualClock& clock) : ring_(ring), clock_(clock) {}

    std::deque<ReadCall> calls;
    int started = 0;
    int continued = 0;
    int abandoned = 0;
    std::vector<std::uint8_t> sent;
    std::int64_t usPerPiece = 0;
    bool present = true;
    // Looks at the link that still find a search running; after them the
    // unit is there or not as `present` says.
    int searchingLooks = 0;
    UnitReach reach() override
    {
        if (searchingLooks > 0) {
            --searchingLooks;
            return UnitReach::Searching;
        }
        return present ? UnitReach::Connected : UnitReach::NotFound;
    }

    ReportReadProgress startReportRead() override
    {
        ++started;
        current_ = calls.empty() ? ReadCall{} : calls.front();
        if (!calls.empty())
            calls.pop_front();
        next_ = 0;
        return takePiece();
    }
    ReportReadProgress continueReportRead() override
    {
        ++continued;
        return takePiece();
    }
    std::int64_t reportWaitDeadlineUs() const override { return 500000; }
    void abandonReportRead() override { ++abandoned; }
    bool sendCommand(std::uint8_t command) override
    {
        if (reach() != UnitReach::Connected)
            return false;
        sent.push_back(command);
        return true;
    }

private:
    ReportReadProgress takePiece()
    {
        if (next_ < current_.pieces.size()) {
            AppendToRing(ring_, current_.pieces[next_++]);
            clock_.advanceUs(usPerPiece);
        }
        return next_ < current_.pieces.size() ? ReportReadProgress::WaitingForReport : ReportReadProgress::Finished;
    }

    ReceiveRing& ring_;
    VirtualClock& clock_;
    ReadCall current_;
    std::size_t next_ = 0;
};

struct CountingDisplay : ResultsDisplay {
    int headings = 0;
    std::vector<int> refreshes;
    void DrawColumnHeadings() override { ++headings; }
    void RefreshResults(int limit) override { refreshes.push_back(limit); }
    // The highest record at each drawing of the filed records.
    std::vector<int> filedShown;
    const RecordTableState* store = nullptr;
    void showFiledRecords() override { filedShown.push_back(store ? store->RecordCount : -1); }
};

struct Switch : PollTimerSwitch {
    std::vector<bool> calls;
    void setPolling(bool on) override { calls.push_back(on); }
};

// The wake-ups the poll asks of the event loop, the last one kept.
struct Wakeups : PollWakeups {
    enum class Asked { None, At, Soon };
    Asked asked = Asked::None;
    std::int64_t atUs = 0;
    void resumeAt(std::int64_t us) override
    {
        asked = Asked::At;
        atUs = us;
    }
    void resumeSoon() override { asked = Asked::Soon; }
    Asked take() { return std::exchange(asked, Asked::None); }
};
using Asked = Wakeups::Asked;

struct Poll {
    VirtualClock clock;
    ReceiveRing ring;
    Records records;
    RecordingScroll scroll;
    ScriptedUnit unit{ring, clock};
    CountingDisplay display;
    Switch timer;
    TimerProtocol protocol{ring, records, scroll, unit, display, timer, clock};
    Wakeups wakeups;
    PollTick poll{protocol, wakeups};
    // Each stop of a tick: true where it ended.
    std::vector<bool> stops;
    Poll()
    {
        display.store = &records.table();
        poll.setStopListener([this](bool ended) { stops.push_back(ended); });
    }
    const RecordTableState& table() const { return records.table(); }
    // Sets the table up as a test needs it, through its one writer.
    template <typename Edit>
    void edit(Edit change)
    {
        RecordTableState t = records.table();
        change(t);
        records.putBack(t);
    }
};
