#pragma once

#include "records/clock.h"
#include "device/hid_access.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// A HID access with one device whose input reports are scripted exactly.
// Completed reports are always there to be read at once; a TimedOut step is
// a silence that lasts until the read's wait has run out on the clock.
class ScriptedHid : public HidAccess {
public:
    struct Step {
        ReadOutcome outcome;
        std::vector<std::uint8_t> report;
    };
    struct Script {
        std::deque<Step> steps;
        ReadOutcome whenEmpty = ReadOutcome::Completed; // count-0 reports forever
        int reads = 0;
        int inputLength = 9;
        int outputLength = 9;
        std::vector<std::vector<std::uint8_t>> written;
        int opens = 0;
        int closes = 0;
        std::int64_t silentUntilUs = -1;
    };

    explicit ScriptedHid(VirtualClock& clock) : clock_(clock) {}

    Script script;
    bool present = true;

    void completes(std::vector<std::uint8_t> report) { script.steps.push_back({ReadOutcome::Completed, std::move(report)}); }
    void then(ReadOutcome outcome) { script.steps.push_back({outcome, {}}); }

    std::vector<HidDeviceInfo> enumerate(std::uint16_t, std::uint16_t) override
    {
        if (!present)
            return {};
        return {{"scripted", 0x04B4, 0x5500}};
    }

    std::unique_ptr<HidDevice> open(const std::string&) override
    {
        if (!present)
            return nullptr;
        return std::make_unique<Device>(script, clock_);
    }

private:
    class Device : public HidDevice {
    public:
        Device(Script& s, VirtualClock& clock) : s_(s), clock_(clock) { ++s_.opens; }
        ~Device() override { ++s_.closes; }
        bool attributes(std::uint16_t& v, std::uint16_t& p) override
        {
            v = 0x04B4;
            p = 0x5500;
            return true;
        }
        int inputReportLength() override { return s_.inputLength; }
        int outputReportLength() override { return s_.outputLength; }
        int sendFeatureReport(const std::uint8_t*, std::size_t length) override { return static_cast<int>(length); }
        int write(const std::uint8_t* data, std::size_t length) override
        {
            s_.written.emplace_back(data, data + length);
            return static_cast<int>(length);
        }
        ReadOutcome read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, std::size_t& received) override
        {
            ++s_.reads;
            received = 0;
            if (!s_.steps.empty() && s_.steps.front().outcome == ReadOutcome::TimedOut) {
                const std::int64_t now = clock_.nowUs();
                if (s_.silentUntilUs < 0)
                    s_.silentUntilUs = now + 500000;
                if (timeoutMs > 0)
                    clock_.sleepUntilUs(std::min<std::int64_t>(s_.silentUntilUs, now + timeoutMs * 1000LL));
                if (clock_.nowUs() < s_.silentUntilUs)
                    return ReadOutcome::TimedOut;
                s_.silentUntilUs = -1;
                s_.steps.pop_front();
                return ReadOutcome::TimedOut;
            }
            Step step{s_.whenEmpty, {0, 0, 0, 0, 0, 0, 0, 0, 0}};
            if (!s_.steps.empty()) {
                step = std::move(s_.steps.front());
                s_.steps.pop_front();
            }
            if (step.outcome != ReadOutcome::Completed)
                return step.outcome;
            for (std::size_t i = 0; i < step.report.size() && i < capacity; ++i)
                buffer[received++] = step.report[i];
            return ReadOutcome::Completed;
        }
        void setReplaceableReports(ReportFilter) override {}
        void setReportListener(ReportListener) override {}

    private:
        Script& s_;
        VirtualClock& clock_;
    };

    VirtualClock& clock_;
};
