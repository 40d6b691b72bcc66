#include "device/usb_interface.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportLengthsOf, InterruptEndpointsGiveTheLengthsTheUnitCanTake)
{
    struct Case {
        const char* name;
        std::vector<InterruptEndpoint> endpoints;
        int input, output;
    };
    const Case cases[] = {
        {"the unit: 8-byte endpoints both ways", {{true, 8}, {false, 8}}, 9, 9},
        {"no endpoints", {}, 0, 0},
        // Output reports then go over the control pipe, at the unit's size,
        // not at the size of a wider input endpoint.
        {"IN endpoint only", {{true, 64}}, 65, 9},
        // wMaxPacketSize carries transaction bits above bit 10; a bogus
        // 65535 must not wrap to a zero-length report.
        {"OUT size 65535", {{true, 8}, {false, 65535}}, 9, 65},
        {"high-bandwidth bits", {{true, 0x1000 | 8}, {false, 0x0800 | 16}}, 9, 17},
        {"zero-size OUT", {{true, 8}, {false, 0}}, 9, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportLengths l = ReportLengthsOf(c.endpoints);
        EXPECT_EQ(l.input, c.input);
        EXPECT_EQ(l.output, c.output);
    }
}

} // namespace
