#pragma once

#include "link_status.h"

#include <string>
#include <vector>

class RecordingStatus : public LinkStatusDisplay {
public:
    std::vector<std::string> captions;
    void showLinkStatus(const std::string& caption) override { captions.push_back(caption); }
    std::string last() const { return captions.empty() ? std::string() : captions.back(); }
};
