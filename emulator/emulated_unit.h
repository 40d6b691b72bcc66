#pragma once

#include "records/clock.h"
#include "device/hid_access.h"
#include "device/report_queue.h"
#include "emulator/timer_record.h"

#include <cstdint>
#include <deque>
#include <limits>
#include <mutex>
#include <random>
#include <vector>

struct EmulatedUnitOptions {
    std::int64_t reportIntervalUs = 10000; // a low-speed unit: one report per 10 ms
    int chunkSize = 7;                     // data bytes per report, 1..7; 0 picks at random
    bool idleReports = true;               // count-0 reports while there is nothing to send
    std::int64_t answerDelayUs = 0;        // from command 151 to the first report of the answer
    bool featureStalls = false;            // answer the configuration report with a stall
    int reportLength = 9;                  // report-id byte included
    unsigned seed = 1;
};

// A model of the timing unit behind the HID access seam. It answers command
// 151 with one frame per record in its memory and sends one input report per
// report interval. Reports that the host has not read yet wait in a queue,
// as they would in the HID layer's. Safe to use from more than one thread.
class EmulatedUnit {
public:
    static constexpr std::int64_t Never = std::numeric_limits<std::int64_t>::max();

    EmulatedUnit(Clock& clock, std::vector<TimerRecordBytes> memory = {}, EmulatedUnitOptions options = {});

    void setMemory(std::vector<TimerRecordBytes> memory);
    std::vector<TimerRecordBytes> memory() const;
    void setIdleReports(bool on);
    void setReportInterval(std::int64_t us);
    void setFeatureStalls(bool on);
    int reportLength() const;

    // Faults.
    void unplugAfterReports(int reports, std::int64_t replugAfterUs = -1);
    void unplug();
    void plugIn();
    bool pluggedIn();
    void injectStrayBytes(const std::vector<std::uint8_t>& bytes);
    // In the next answer, record n's frame stops after `keep` bytes.
    void cutFrameShort(int recordNumber, int keep);
    // After the next answer, these records are sent once more.
    void sendAgain(std::vector<int> recordNumbers);

    // What the host did.
    std::vector<std::uint8_t> commands() const;
    int commandCount(std::uint8_t command) const;
    int featureReports() const;
    bool configured() const;
    // Bytes of an answer not yet put into reports.
    bool sending() const;
    // When the next report joins the queue (Never while nothing will come).
    std::int64_t nextReportDueUs();

    // The HID side, for the emulated device handle. `generation` tells a handle
    // opened before an unplug from one opened after.
    int generation() const;
    int hostWrite(int generation, const std::uint8_t* data, std::size_t length);
    int hostFeature(int generation, const std::uint8_t* data, std::size_t length);
    ReadOutcome hostRead(int generation, std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                         std::size_t& received);
    // Brings the queue up to now, as the HID layer's reader would.
    void catchUpNow();
    std::int64_t nowUs() { return clock_.nowUs(); }
    ReportQueue& queue() { return ready_; }

private:
    void catchUp(std::int64_t now);
    void emitReport();
    void answerGetMemory();
    void checkReplug();
    void unplugLocked();
    void plugInLocked();
    bool aliveLocked(int generation);

    mutable std::mutex mutex_;
    Clock& clock_;
    std::vector<TimerRecordBytes> memory_;
    EmulatedUnitOptions options_;
    std::mt19937 rng_;

    std::deque<std::uint8_t> tx_;
    ReportQueue ready_;
    std::int64_t nextSlotUs_ = 0;

    bool plugged_ = true;
    int generation_ = 1;
    int unplugAfter_ = -1;
    std::int64_t replugDelayUs_ = -1;
    std::int64_t replugAtUs_ = -1;
    std::vector<std::uint8_t> stray_;
    int cutRecord_ = -1;
    int cutKeep_ = 0;
    std::vector<int> resend_;

    std::vector<std::uint8_t> commands_;
    int featureReports_ = 0;
    bool configured_ = false;
    int delivered_ = 0;
};
