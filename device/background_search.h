#pragma once

#include "device/hid_access.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// The search for HID interfaces on a thread of its own, so that a slow one
// never holds the thread that asks: on Windows a search asks every HID
// interface of the machine (a laptop has a dozen), and under wine one took
// up to 10 s.
//
// The first search runs on the asking thread: the program starts with the
// unit found, before its window shows. After it, `search` hands back the
// list of the last search that ended, once, and otherwise starts a search
// (when none runs) and hands back nothing: the poll's next tick takes the
// result up. Opening is the access's own, on the asking thread; the link
// opens only what a list it was handed names, so no search runs meanwhile
// and the access never has two calls at once. `enumerate` waits for a
// search of its own.
class BackgroundSearch : public HidAccess {
public:
    explicit BackgroundSearch(HidAccess& access) : access_(access) {}
    // Waits for a search in progress.
    ~BackgroundSearch() override;
    BackgroundSearch(const BackgroundSearch&) = delete;
    BackgroundSearch& operator=(const BackgroundSearch&) = delete;

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::optional<std::vector<HidDeviceInfo>> search(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override { return access_.open(path); }
    OpenFailure lastOpenFailure() const override { return access_.lastOpenFailure(); }
    std::string libraryVersion() const override { return access_.libraryVersion(); }

    // Waits until no search runs (tests).
    void waitForSearch();

private:
    HidAccess& access_;
    bool firstDone_ = false;
    std::mutex lock_;
    std::condition_variable ended_;
    bool running_ = false;
    std::optional<std::vector<HidDeviceInfo>> found_;
    std::jthread worker_;
};
