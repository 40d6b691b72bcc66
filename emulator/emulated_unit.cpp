#include "emulator/emulated_unit.h"

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

void EmulatedUnit::setMemory(std::vector<TimerRecordBytes> memory)
{
    std::lock_guard lock(mutex_);
    memory_ = std::move(memory);
}

std::vector<TimerRecordBytes> EmulatedUnit::memory() const
{
    std::lock_guard lock(mutex_);
    return memory_;
}

void EmulatedUnit::setIdleReports(bool on)
{
    std::lock_guard lock(mutex_);
    catchUp(clock_.nowUs());
    options_.idleReports = on;
}

void EmulatedUnit::setReportInterval(std::int64_t us)
{
    std::lock_guard lock(mutex_);
    options_.reportIntervalUs = us;
}

void EmulatedUnit::setFeatureStalls(bool on)
{
    std::lock_guard lock(mutex_);
    options_.featureStalls = on;
}

int EmulatedUnit::reportLength() const
{
    std::lock_guard lock(mutex_);
    return options_.reportLength;
}

std::vector<std::uint8_t> EmulatedUnit::commands() const
{
    std::lock_guard lock(mutex_);
    return commands_;
}

int EmulatedUnit::commandCount(std::uint8_t command) const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count(commands_.begin(), commands_.end(), command));
}

int EmulatedUnit::featureReports() const
{
    std::lock_guard lock(mutex_);
    return featureReports_;
}

bool EmulatedUnit::configured() const
{
    std::lock_guard lock(mutex_);
    return configured_;
}

bool EmulatedUnit::sending() const
{
    std::lock_guard lock(mutex_);
    return !tx_.empty();
}

int EmulatedUnit::generation() const
{
    std::lock_guard lock(mutex_);
    return generation_;
}

void EmulatedUnit::unplugAfterReports(int reports, std::int64_t replugAfterUs)
{
    std::lock_guard lock(mutex_);
    unplugAfter_ = delivered_ + reports;
    replugDelayUs_ = replugAfterUs;
}

void EmulatedUnit::unplug()
{
    std::lock_guard lock(mutex_);
    unplugLocked();
}

void EmulatedUnit::unplugLocked()
{
    if (!plugged_)
        return;
    plugged_ = false;
    tx_.clear();
    ready_.markGone();
    if (replugDelayUs_ >= 0)
        replugAtUs_ = clock_.nowUs() + replugDelayUs_;
}

void EmulatedUnit::plugIn()
{
    std::lock_guard lock(mutex_);
    plugInLocked();
}

void EmulatedUnit::plugInLocked()
{
    if (plugged_)
        return;
    plugged_ = true;
    ++generation_;
    replugAtUs_ = -1;
    configured_ = false;
    ready_.restart();
    nextSlotUs_ = clock_.nowUs() + options_.reportIntervalUs;
}

void EmulatedUnit::checkReplug()
{
    if (!plugged_ && replugAtUs_ >= 0 && clock_.nowUs() >= replugAtUs_)
        plugInLocked();
}

bool EmulatedUnit::pluggedIn()
{
    std::lock_guard lock(mutex_);
    checkReplug();
    return plugged_;
}

bool EmulatedUnit::aliveLocked(int generation)
{
    checkReplug();
    return plugged_ && generation == generation_;
}

void EmulatedUnit::injectStrayBytes(const std::vector<std::uint8_t>& bytes)
{
    std::lock_guard lock(mutex_);
    stray_.insert(stray_.end(), bytes.begin(), bytes.end());
}

void EmulatedUnit::cutFrameShort(int recordNumber, int keep)
{
    std::lock_guard lock(mutex_);
    cutRecord_ = recordNumber;
    cutKeep_ = keep;
}

void EmulatedUnit::sendAgain(std::vector<int> recordNumbers)
{
    std::lock_guard lock(mutex_);
    resend_ = std::move(recordNumbers);
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
    ready_.push(std::move(report));
}

void EmulatedUnit::catchUp(std::int64_t now)
{
    const std::int64_t interval = std::max<std::int64_t>(options_.reportIntervalUs, 1);
    while (plugged_ && nextSlotUs_ <= now) {
        // With nothing to send, the slots up to now add nothing the queue would keep.
        if (tx_.empty() && (!options_.idleReports || ready_.endsWithReplaceable())) {
            nextSlotUs_ += ((now - nextSlotUs_) / interval + 1) * interval;
            break;
        }
        emitReport();
        nextSlotUs_ += interval;
    }
}

void EmulatedUnit::catchUpNow()
{
    std::lock_guard lock(mutex_);
    checkReplug();
    catchUp(clock_.nowUs());
}

std::int64_t EmulatedUnit::nextReportDueUs()
{
    std::lock_guard lock(mutex_);
    checkReplug();
    if (!plugged_)
        return replugAtUs_ >= 0 ? replugAtUs_ : Never;
    catchUp(clock_.nowUs());
    return tx_.empty() && !options_.idleReports ? Never : nextSlotUs_;
}

int EmulatedUnit::hostWrite(int generation, const std::uint8_t* data, std::size_t length)
{
    std::lock_guard lock(mutex_);
    if (!aliveLocked(generation))
        return -1;
    catchUp(clock_.nowUs());
    if (length >= 3 && data[1] >= 1) {
        commands_.push_back(data[2]);
        if (data[2] == GetMemoryCommand) {
            answerGetMemory();
            nextSlotUs_ = std::max(nextSlotUs_, clock_.nowUs() + options_.answerDelayUs);
        }
    }
    return static_cast<int>(length);
}

int EmulatedUnit::hostFeature(int generation, const std::uint8_t* data, std::size_t length)
{
    std::lock_guard lock(mutex_);
    if (!aliveLocked(generation))
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
    const std::int64_t deadline = clock_.nowUs() + static_cast<std::int64_t>(timeoutMs) * 1000;
    std::vector<std::uint8_t> report;
    for (;;) {
        std::unique_lock lock(mutex_);
        // Like the HID layer's reader: a unit that has gone is told at once.
        if (!aliveLocked(generation))
            return ReadOutcome::Gone;
        const std::int64_t now = clock_.nowUs();
        catchUp(now);
        if (ready_.tryPop(report) == ReportQueue::Pop::Report)
            break;
        const bool nothingComing = tx_.empty() && !options_.idleReports;
        if (now >= deadline || nothingComing || nextSlotUs_ > deadline) {
            lock.unlock();
            clock_.sleepUntilUs(deadline);
            return ReadOutcome::TimedOut;
        }
        const std::int64_t wake = nextSlotUs_;
        lock.unlock();
        clock_.sleepUntilUs(wake);
    }
    received = std::min(capacity, report.size());
    std::copy(report.begin(), report.begin() + static_cast<long>(received), buffer);
    std::lock_guard lock(mutex_);
    ++delivered_;
    if (unplugAfter_ >= 0 && delivered_ >= unplugAfter_) {
        unplugAfter_ = -1;
        unplugLocked();
    }
    return ReadOutcome::Completed;
}
