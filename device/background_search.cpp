#include "device/background_search.h"

#include <utility>

BackgroundSearch::~BackgroundSearch()
{
    if (worker_.joinable())
        worker_.join();
}

std::vector<HidDeviceInfo> BackgroundSearch::enumerate(std::uint16_t vendorId, std::uint16_t productId)
{
    waitForSearch();
    return access_.enumerate(vendorId, productId);
}

std::optional<std::vector<HidDeviceInfo>> BackgroundSearch::search(std::uint16_t vendorId, std::uint16_t productId)
{
    if (!std::exchange(firstDone_, true))
        return access_.enumerate(vendorId, productId);
    {
        const std::lock_guard lock(lock_);
        if (running_)
            return std::nullopt;
        if (found_)
            return std::exchange(found_, std::nullopt);
        running_ = true;
    }
    // The last search's thread has ended its work; only its join is left.
    if (worker_.joinable())
        worker_.join();
    worker_ = std::jthread([this, vendorId, productId] {
        std::vector<HidDeviceInfo> list = access_.enumerate(vendorId, productId);
        const std::lock_guard lock(lock_);
        found_ = std::move(list);
        running_ = false;
        ended_.notify_all();
    });
    return std::nullopt;
}

void BackgroundSearch::waitForSearch()
{
    std::unique_lock lock(lock_);
    // Looked at every few milliseconds: winpthreads now and then loses a wake-up.
    while (!ended_.wait_for(lock, std::chrono::milliseconds(5), [this] { return !running_; })) {
    }
}
