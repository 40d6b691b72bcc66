#include "emulated_unit.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint8_t GetMemoryCommand = 151;
constexpr std::array<std::uint8_t, 6> ExpectedFeature = {0x00, 0x80, 0x25, 0x00, 0x00, 0x03};

} // namespace

EmulatedUnit::EmulatedUnit(Clock& clock, std::vector<TimerRecordBytes> memory, EmulatedUnitOptions options)
    : clock_(clock), memory_(std::move(memory)), options_(options), rng_(options.seed)
{
    nextSlotUs_ = clock_.nowUs() + options_.reportIntervalUs;
}

int EmulatedUnit::commandCount(std::uint8_t command) const
{
    return static_cast<int>(std::count(commands_.begin(), commands_.end(), command));
}

void EmulatedUnit::unplugAfterReports(int reports, std::int64_t replugAfterUs)
{
    unplugAfter_ = delivered_ + reports;
    replugDelayUs_ = replugAfterUs;
}

void EmulatedUnit::unplug()
{
    plugged_ = false;
    tx_.clear();
    ready_.clear();
    if (replugDelayUs_ >= 0)
        replugAtUs_ = clock_.nowUs() + replugDelayUs_;
}

void EmulatedUnit::plugIn()
{
    if (plugged_)
        return;
    plugged_ = true;
    ++generation_;
    replugAtUs_ = -1;
    configured_ = false;
    nextSlotUs_ = clock_.nowUs() + options_.reportIntervalUs;
}

void EmulatedUnit::checkReplug()
{
    if (!plugged_ && replugAtUs_ >= 0 && clock_.nowUs() >= replugAtUs_)
        plugIn();
}

bool EmulatedUnit::pluggedIn()
{
    checkReplug();
    return plugged_;
}

bool EmulatedUnit::alive(int generation)
{
    checkReplug();
    return plugged_ && generation == generation_;
}

void EmulatedUnit::injectStrayBytes(const std::vector<std::uint8_t>& bytes)
{
    stray_.insert(stray_.end(), bytes.begin(), bytes.end());
}

void EmulatedUnit::cutFrameShort(int recordNumber, int keep)
{
    cutRecord_ = recordNumber;
    cutKeep_ = keep;
}

void EmulatedUnit::answerGetMemory()
{
    tx_.insert(tx_.end(), stray_.begin(), stray_.end());
    stray_.clear();
    const auto count = static_cast<std::uint8_t>(std::min<std::size_t>(memory_.size(), 255));
    auto send = [&](int n) {
        const FrameBytes f = EncodeFrame(count, static_cast<std::uint8_t>(n), memory_[static_cast<std::size_t>(n - 1)]);
        const int length = (n == cutRecord_) ? std::clamp(cutKeep_, 0, FrameLength) : FrameLength;
        tx_.insert(tx_.end(), f.begin(), f.begin() + length);
    };
    for (int n = 1; n <= count; ++n)
        send(n);
    for (int n : resend_)
        if (n >= 1 && n <= count)
            send(n);
    resend_.clear();
    cutRecord_ = -1;
}

void EmulatedUnit::emitReport()
{
    std::vector<std::uint8_t> report(static_cast<std::size_t>(std::max(options_.reportLength, 2)), 0);
    int chunk = options_.chunkSize;
    if (chunk <= 0)
        chunk = std::uniform_int_distribution<int>(1, 7)(rng_);
    chunk = std::min({chunk, 7, static_cast<int>(tx_.size()), static_cast<int>(report.size()) - 2});
    report[1] = static_cast<std::uint8_t>(chunk);
    for (int i = 0; i < chunk; ++i) {
        report[static_cast<std::size_t>(2 + i)] = tx_.front();
        tx_.pop_front();
    }
    // As the HID layer's queue does: an empty report gives way to a newer one.
    if (!ready_.empty() && ready_.back()[1] == 0)
        ready_.pop_back();
    ready_.push_back(std::move(report));
}

void EmulatedUnit::catchUp(std::int64_t now)
{
    const std::int64_t interval = std::max<std::int64_t>(options_.reportIntervalUs, 1);
    while (plugged_ && nextSlotUs_ <= now) {
        if (tx_.empty() && (!options_.idleReports || (!ready_.empty() && ready_.back()[1] == 0))) {
            // Nothing worth queueing in the slots up to now.
            nextSlotUs_ += ((now - nextSlotUs_) / interval + 1) * interval;
            break;
        }
        emitReport();
        nextSlotUs_ += interval;
    }
}

int EmulatedUnit::hostWrite(int generation, const std::uint8_t* data, std::size_t length)
{
    if (!alive(generation))
        return -1;
    catchUp(clock_.nowUs());
    if (length >= 3 && data[1] >= 1) {
        commands_.push_back(data[2]);
        if (data[2] == GetMemoryCommand)
            answerGetMemory();
    }
    return static_cast<int>(length);
}

int EmulatedUnit::hostFeature(int generation, const std::uint8_t* data, std::size_t length)
{
    if (!alive(generation))
        return -1;
    ++featureReports_;
    if (options_.featureStalls)
        return -1;
    configured_ = length == ExpectedFeature.size() && std::equal(ExpectedFeature.begin(), ExpectedFeature.end(), data);
    return configured_ ? static_cast<int>(length) : -1;
}

ReadOutcome EmulatedUnit::hostRead(int generation, std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                                   std::size_t& received)
{
    received = 0;
    const std::int64_t start = clock_.nowUs();
    const std::int64_t deadline = start + static_cast<std::int64_t>(timeoutMs) * 1000;
    if (!alive(generation)) {
        clock_.sleepUntilUs(deadline);
        return ReadOutcome::TimedOut;
    }
    catchUp(start);
    if (ready_.empty()) {
        const bool nothingComing = tx_.empty() && !options_.idleReports;
        if (nothingComing || nextSlotUs_ > deadline) {
            clock_.sleepUntilUs(deadline);
            return ReadOutcome::TimedOut;
        }
        clock_.sleepUntilUs(nextSlotUs_);
        catchUp(clock_.nowUs());
    }
    const std::vector<std::uint8_t> report = std::move(ready_.front());
    ready_.pop_front();
    received = std::min(capacity, report.size());
    std::copy(report.begin(), report.begin() + static_cast<long>(received), buffer);
    ++delivered_;
    if (unplugAfter_ >= 0 && delivered_ >= unplugAfter_) {
        unplugAfter_ = -1;
        unplug();
    }
    return ReadOutcome::Completed;
}
