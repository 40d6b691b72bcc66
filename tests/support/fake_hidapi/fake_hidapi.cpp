#include "fake_hidapi.h"

#include <hidapi.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

struct hid_device_ {
    int unused = 0;
};

namespace {

using Clock = std::chrono::steady_clock;

std::mutex mutex;
std::condition_variable changed;
fake_hidapi::Stream stream;
Clock::time_point started;
int produced = 0;
int dropped = 0;
int openDevices = 0;
int physicalOpens = 0;
int starts = 0;
int stops = 0;
bool present = true;
bool openable = true;
std::deque<std::vector<unsigned char>> backendQueue;
bool zlpPending = false;
hid_device_info info{};
char path[] = "1-1:1.0";

Clock::time_point DueOf(int report)
{
    return started + std::chrono::microseconds(static_cast<long>(report + 1) * stream.intervalUs);
}

// Moves the reports whose time has come into the backend's small queue.
void Produce()
{
    const auto now = Clock::now();
    while (produced < stream.reports && DueOf(produced) <= now) {
        std::vector<unsigned char> r(8, 0);
        r[0] = 7;
        r[1] = static_cast<unsigned char>(produced & 0xFF);
        r[2] = static_cast<unsigned char>(produced >> 8);
        backendQueue.push_back(r);
        if (backendQueue.size() > 32) {
            backendQueue.pop_front();
            ++dropped;
        }
        ++produced;
    }
}

} // namespace

namespace fake_hidapi {

void Reset()
{
    std::lock_guard lock(mutex);
    stream = {};
    started = Clock::now();
    produced = dropped = physicalOpens = starts = stops = 0;
    present = openable = true;
    backendQueue.clear();
    zlpPending = false;
    changed.notify_all();
}

void Start(const Stream& s)
{
    std::lock_guard lock(mutex);
    stream = s;
    started = Clock::now();
    produced = 0;
    dropped = 0;
    backendQueue.clear();
    changed.notify_all();
}

void SetPresent(bool p)
{
    std::lock_guard lock(mutex);
    present = p;
    changed.notify_all();
}

void SetOpenable(bool o)
{
    std::lock_guard lock(mutex);
    openable = o;
}

int ReportsDroppedByBackend()
{
    std::lock_guard lock(mutex);
    return dropped;
}

int OpenDevices()
{
    std::lock_guard lock(mutex);
    return openDevices;
}

int PhysicalOpens()
{
    std::lock_guard lock(mutex);
    return physicalOpens;
}

int LibraryStarts()
{
    std::lock_guard lock(mutex);
    return starts;
}

int LibraryStops()
{
    std::lock_guard lock(mutex);
    return stops;
}

} // namespace fake_hidapi

extern "C" {

const char* hid_version_str(void) { return "fake"; }

int hid_init(void)
{
    std::lock_guard lock(mutex);
    ++starts;
    return 0;
}

int hid_exit(void)
{
    std::lock_guard lock(mutex);
    ++stops;
    return 0;
}

hid_device_info* hid_enumerate(unsigned short, unsigned short)
{
    std::lock_guard lock(mutex);
    if (!present)
        return nullptr;
    auto* d = new hid_device_info{};
    d->path = path;
    d->vendor_id = 0x04B4;
    d->product_id = 0x5500;
    return d;
}

void hid_free_enumeration(hid_device_info* devs)
{
    while (devs) {
        hid_device_info* next = devs->next;
        delete devs;
        devs = next;
    }
}

hid_device* hid_open_path(const char*)
{
    std::lock_guard lock(mutex);
    if (!present || !openable)
        return nullptr;
    ++openDevices;
    ++physicalOpens;
    return new hid_device_;
}

void hid_close(hid_device* dev)
{
    std::lock_guard lock(mutex);
    --openDevices;
    delete dev;
}

hid_device_info* hid_get_device_info(hid_device*)
{
    info.vendor_id = 0x04B4;
    info.product_id = 0x5500;
    info.path = path;
    return &info;
}

int hid_read_timeout(hid_device*, unsigned char* data, size_t length, int milliseconds)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    std::unique_lock lock(mutex);
    for (;;) {
        Produce();
        if (zlpPending && stream.zeroLengthPackets) {
            zlpPending = false;
            return 0;
        }
        if (!backendQueue.empty()) {
            const auto r = backendQueue.front();
            backendQueue.pop_front();
            zlpPending = true;
            const size_t n = std::min(length, r.size());
            std::memcpy(data, r.data(), n);
            return static_cast<int>(n);
        }
        if (!present || (stream.failAfterLast && produced >= stream.reports))
            return -1;
        const auto wake = produced < stream.reports ? std::min(deadline, DueOf(produced)) : deadline;
        if (Clock::now() >= deadline)
            return 0;
        changed.wait_until(lock, wake);
    }
}

int hid_write(hid_device*, const unsigned char*, size_t length) { return static_cast<int>(length); }
int hid_send_feature_report(hid_device*, const unsigned char*, size_t) { return -1; }

} // extern "C"
