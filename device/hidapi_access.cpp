#include "device/hidapi_access.h"

#include "device/report_queue.h"
#include "device/unit_report.h"

#include <hidapi.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <stop_token>
#include <thread>

namespace {

// How long the reader waits in one call, holding the interface's lock: other
// calls on the device wait at most this long, and so does closing.
constexpr int ReaderPollMs = 10;
// Report-id byte and the largest interrupt report.
constexpr std::size_t ReaderBuffer = 1 + 64;

} // namespace

struct HidapiAccess::OpenInterface {
    OpenInterface(hid_device* d, const ReportLengths& lengths) : dev(d)
    {
        input = lengths.input > 0 ? lengths.input : static_cast<int>(UnitReportLength);
        output = lengths.output > 0 ? lengths.output : static_cast<int>(UnitReportLength);
        reader = std::jthread([this](std::stop_token stop) { readLoop(stop); });
    }

    ~OpenInterface()
    {
        reader.request_stop();
        reader.join();
        hid_close(dev);
    }

    // The reader thread: hid_read_timeout and the queue, nothing else.
    void readLoop(const std::stop_token& stop)
    {
        std::uint8_t data[ReaderBuffer];
        // The unit's reports carry no report id; hidapi leaves the 0 out, the
        // link expects it in front.
        data[0] = 0;
        while (!stop.stop_requested()) {
            int n = 0;
            {
                const std::lock_guard lock(calls);
                n = hid_read_timeout(dev, data + 1, sizeof data - 1, ReaderPollMs);
            }
            if (n > 0) {
                queue.push(ReportQueue::Report(data, data + 1 + n));
            } else if (n < 0) {
                queue.markGone(); // unplugged: reads now end at once
                return;
            }
            // 0 is a time-out or a zero-length packet: neither is a report.
        }
    }

    hid_device* dev;
    int input = static_cast<int>(UnitReportLength);
    int output = static_cast<int>(UnitReportLength);
    ReportQueue queue;
    // Held around every hidapi call on `dev`.
    std::mutex calls;
    std::jthread reader;
    bool held = false;
    std::int64_t releasedAtUs = 0;
};

// The link's handle on an interface kept open by the access.
class HidapiHandle : public HidDevice {
public:
    HidapiHandle(HidapiAccess& access, HidapiAccess::OpenInterface& interface) : access_(access), interface_(interface)
    {
    }
    ~HidapiHandle() override
    {
        interface_.queue.setListener(nullptr);
        access_.release(interface_);
    }

    bool attributes(std::uint16_t& vendorId, std::uint16_t& productId) override
    {
        const std::lock_guard lock(interface_.calls);
        const hid_device_info* info = hid_get_device_info(interface_.dev);
        if (!info)
            return false;
        vendorId = info->vendor_id;
        productId = info->product_id;
        return true;
    }

    int inputReportLength() override { return interface_.input; }
    int outputReportLength() override { return interface_.output; }

    int sendFeatureReport(const std::uint8_t* data, std::size_t length) override
    {
        const std::lock_guard lock(interface_.calls);
        return hid_send_feature_report(interface_.dev, data, length);
    }

    int write(const std::uint8_t* data, std::size_t length) override
    {
        const std::lock_guard lock(interface_.calls);
        return hid_write(interface_.dev, data, length);
    }

    ReadOutcome read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, std::size_t& received) override
    {
        received = 0;
        ReportQueue::Report report;
        const ReportQueue::Pop got = timeoutMs > 0
            ? interface_.queue.popUntil(report, std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs))
            : interface_.queue.tryPop(report);
        if (got == ReportQueue::Pop::Gone)
            return ReadOutcome::Gone;
        if (got == ReportQueue::Pop::Empty)
            return ReadOutcome::TimedOut;
        received = std::min(capacity, report.size());
        std::copy(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(received), buffer);
        return ReadOutcome::Completed;
    }

    void setReplaceableReports(ReportFilter filter) override { interface_.queue.setReplaceable(std::move(filter)); }
    void setReportListener(ReportListener listener) override
    {
        interface_.queue.setListener(std::move(listener));
    }

private:
    HidapiAccess& access_;
    HidapiAccess::OpenInterface& interface_;
};

HidapiAccess::HidapiAccess(Clock& clock, HidapiPlatformSide platform) : clock_(clock), platform_(std::move(platform))
{
    hid_init();
}

HidapiAccess::~HidapiAccess()
{
    kept_.clear();
    hid_exit();
}

void HidapiAccess::closeUnused()
{
    const std::int64_t now = clock_.nowUs();
    std::erase_if(kept_, [&](const auto& entry) {
        const OpenInterface& i = *entry.second;
        return !i.held && (i.queue.gone() || now - i.releasedAtUs >= KeepOpenUs);
    });
}

void HidapiAccess::release(OpenInterface& interface)
{
    interface.held = false;
    interface.releasedAtUs = clock_.nowUs();
    if (interface.queue.gone())
        closeUnused();
}

std::vector<HidDeviceInfo> HidapiAccess::enumerate(std::uint16_t vendorId, std::uint16_t productId)
{
    closeUnused();
    // Starting hidapi afresh is safe only while nothing is open.
    if (kept_.empty() && !platform_.hearsOfNewDevices()) {
        hid_exit();
        hid_init();
    }
    std::vector<HidDeviceInfo> found;
    std::set<std::string> listed;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (const hid_device_info* d = list; d; d = d->next) {
        found.push_back({d->path ? d->path : "", d->vendor_id, d->product_id});
        listed.insert(found.back().path);
    }
    hid_free_enumeration(list);
    // An interface kept open that is no longer listed has gone from the bus.
    std::erase_if(kept_, [&](const auto& entry) { return !entry.second->held && !listed.count(entry.first); });
    return found;
}

std::unique_ptr<HidDevice> HidapiAccess::open(const std::string& path)
{
    closeUnused();
    lastFailure_ = OpenFailure::None;
    if (const auto it = kept_.find(path); it != kept_.end()) {
        if (it->second->held) {
            lastFailure_ = OpenFailure::Busy;
            return nullptr;
        }
        it->second->held = true;
        return std::make_unique<HidapiHandle>(*this, *it->second);
    }
    hid_device* dev = hid_open_path(path.c_str());
    if (!dev) {
        lastFailure_ = platform_.whyNotOpened(path);
        return nullptr;
    }
    ++physicalOpens_;
    platform_.prepareOpened(dev);
    auto& interface = kept_[path];
    interface = std::make_unique<OpenInterface>(dev, platform_.reportLengths(path));
    interface->held = true;
    return std::make_unique<HidapiHandle>(*this, *interface);
}

std::string HidapiAccess::libraryVersion() const { return hid_version_str(); }
