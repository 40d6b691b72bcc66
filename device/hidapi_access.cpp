#include "hidapi_access.h"

#include "report_queue.h"
#include "usb_report_lengths.h"

#include <hidapi.h>

#include <atomic>
#include <thread>

namespace {

// The unit's 8-byte reports plus the report-id byte, where nothing better is known.
constexpr int FallbackReportLength = 9;
// How long the reader waits in one call, so that closing never waits long.
constexpr int ReaderPollMs = 50;

class HidapiDevice : public HidDevice {
public:
    HidapiDevice(hid_device* dev, const std::string& path, int& openDevices) : dev_(dev), openDevices_(openDevices)
    {
        ++openDevices_;
        const ReportLengths lengths = UsbReportLengths(path);
        input_ = lengths.input > 0 ? lengths.input : FallbackReportLength;
        output_ = lengths.output > 0 ? lengths.output : FallbackReportLength;
        reader_ = std::thread([this] { readLoop(); });
    }

    ~HidapiDevice() override
    {
        stop_ = true;
        reader_.join();
        hid_close(dev_);
        --openDevices_;
    }

    bool attributes(std::uint16_t& vendorId, std::uint16_t& productId) override
    {
        const hid_device_info* info = hid_get_device_info(dev_);
        if (!info)
            return false;
        vendorId = info->vendor_id;
        productId = info->product_id;
        return true;
    }

    int inputReportLength() override { return input_; }
    int outputReportLength() override { return output_; }

    int sendFeatureReport(const std::uint8_t* data, std::size_t length) override
    {
        return hid_send_feature_report(dev_, data, length);
    }

    int write(const std::uint8_t* data, std::size_t length) override { return hid_write(dev_, data, length); }

    ReadOutcome read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, std::size_t& received) override
    {
        received = 0;
        ReportQueue::Report report;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        if (!queue_.popUntil(report, deadline))
            return ReadOutcome::TimedOut;
        // Reports of a device without report ids come without the id byte.
        if (capacity == 0)
            return ReadOutcome::Completed;
        buffer[0] = 0;
        received = 1;
        for (std::size_t i = 0; i < report.size() && received < capacity; ++i)
            buffer[received++] = report[i];
        return ReadOutcome::Completed;
    }

private:
    void readLoop()
    {
        std::uint8_t data[64];
        while (!stop_) {
            const int n = hid_read_timeout(dev_, data, sizeof data, ReaderPollMs);
            if (n > 0)
                queue_.push(ReportQueue::Report(data, data + n), (data[0] & 7) == 0); // no report-id byte here
            else if (n < 0)
                return; // gone: reads now time out, which closes the link
            // 0 is a time-out or a zero-length packet: neither is a report.
        }
    }

    hid_device* dev_;
    int& openDevices_;
    int input_ = FallbackReportLength;
    int output_ = FallbackReportLength;
    ReportQueue queue_;
    std::atomic<bool> stop_{false};
    std::thread reader_;
};

} // namespace

HidapiAccess::HidapiAccess() { hid_init(); }

HidapiAccess::~HidapiAccess() { hid_exit(); }

std::vector<HidDeviceInfo> HidapiAccess::enumerate(std::uint16_t vendorId, std::uint16_t productId)
{
    // libusb learns of new devices from the udev daemon; where none runs, only
    // a fresh start sees a unit plugged in since. Nothing is open, so nothing
    // is lost by starting afresh.
    if (openDevices_ == 0) {
        hid_exit();
        hid_init();
    }
    std::vector<HidDeviceInfo> found;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (const hid_device_info* d = list; d; d = d->next)
        found.push_back({d->path ? d->path : "", d->vendor_id, d->product_id});
    hid_free_enumeration(list);
    return found;
}

std::unique_ptr<HidDevice> HidapiAccess::open(const std::string& path)
{
    hid_device* dev = hid_open_path(path.c_str());
    if (!dev)
        return nullptr;
    return std::make_unique<HidapiDevice>(dev, path, openDevices_);
}
