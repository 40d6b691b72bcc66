#pragma once

#include "device/link_status.h"

#include <string>
#include <utility>
#include <vector>

class RecordingStatus : public LinkStatusDisplay {
public:
    std::vector<std::string> captions;
    std::vector<std::pair<std::string, OpenFailure>> explained;
    void showLinkStatus(LinkState state) override { captions.push_back(LinkCaptionOf(state)); }
    void explainUnitNotOpened(const std::string& path, OpenFailure why) override { explained.emplace_back(path, why); }
    std::string last() const { return captions.empty() ? std::string() : captions.back(); }
};
