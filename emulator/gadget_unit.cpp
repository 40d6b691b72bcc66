// The emulated timing unit behind a USB gadget's HID function (/dev/hidg0):
// output reports from the host go to the unit, the unit's input reports go to
// the host, one per report interval. Every command received is appended to a
// log file as a decimal number per line. While a file named like the log
// with ".quiet" added exists, the unit is silent while it has nothing to send
// (no count-0 reports); a file, rather than a signal, so that a test running
// under wine can switch it too. Feature reports, which reach the gadget only
// when its function has no OUT endpoint, go to the unit and, as their bytes
// in decimal, one report per line, to the log's name with ".features" added.
//
//   trivex-gadget /dev/hidg0 commands.log [records]
//
// It holds the reference race, or a sample race of `records` records.
#include "emulator/emulated_unit.h"
#include "emulator/sample_race.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopping = 0;

void Stop(int) { stopping = 1; }

constexpr int ReportBytes = 8;
// The report descriptor's feature report; an output report is ReportBytes long.
constexpr int FeatureBytes = 5;

} // namespace

int main(int argc, char** argv)
{
    const int records = argc == 4 ? std::atoi(argv[3]) : 0;
    if ((argc != 3 && argc != 4) || records < 0 || records > 255) {
        std::fprintf(stderr, "usage: %s /dev/hidgN commands.log [records]\n", argv[0]);
        return 2;
    }
    std::signal(SIGTERM, Stop);
    std::signal(SIGINT, Stop);
    const std::string quietFlag = std::string(argv[2]) + ".quiet";

    const int fd = open(argv[1], O_RDWR | O_NONBLOCK);
    if (fd < 0) {
        std::fprintf(stderr, "%s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    std::FILE* log = std::fopen(argv[2], "a");
    const std::string featuresName = std::string(argv[2]) + ".features";
    std::FILE* features = std::fopen(featuresName.c_str(), "a");
    if (!log || !features) {
        std::fprintf(stderr, "%s: %s\n", log ? featuresName.c_str() : argv[2], std::strerror(errno));
        return 1;
    }

    SteadyClock clock;
    EmulatedUnit unit(clock, records ? SampleRace(36000000, 13, records) : ReferenceRace(),
                      {.reportIntervalUs = 10000, .reportLength = ReportBytes + 1});
    std::uint8_t pending[ReportBytes];
    bool havePending = false;
    bool hostThere = true;

    bool silent = false;
    int turn = 0;
    while (!stopping) {
        if (++turn % 16 == 0 && silent != (access(quietFlag.c_str(), F_OK) == 0)) {
            silent = !silent;
            unit.setIdleReports(!silent);
        }
        if (!havePending) {
            std::uint8_t report[ReportBytes + 1];
            std::size_t got = 0;
            if (unit.hostRead(unit.generation(), report, sizeof report, 0, got) == ReadOutcome::Completed) {
                std::memcpy(pending, report + 1, ReportBytes); // the gadget sends no report-id byte
                havePending = true;
            }
        }
        pollfd p{fd, static_cast<short>(POLLIN | (havePending ? POLLOUT : 0)), 0};
        poll(&p, 1, 2);

        std::uint8_t out[64];
        const ssize_t n = read(fd, out, sizeof out);
        if (n == FeatureBytes) {
            std::uint8_t report[FeatureBytes + 1] = {};
            std::memcpy(report + 1, out, FeatureBytes);
            unit.hostFeature(unit.generation(), report, sizeof report);
            for (int i = 0; i < FeatureBytes; ++i)
                std::fprintf(features, i ? " %d" : "%d", out[i]);
            std::fprintf(features, "\n");
            std::fflush(features);
        } else if (n > 0) {
            // As the host built it: report id 0, then the bytes read here.
            std::uint8_t report[ReportBytes + 1] = {};
            std::memcpy(report + 1, out, static_cast<std::size_t>(std::min<ssize_t>(n, ReportBytes)));
            unit.hostWrite(unit.generation(), report, sizeof report);
            if (report[1] >= 1) {
                std::fprintf(log, "%d\n", report[2]);
                std::fflush(log);
            }
        }
        if (havePending) {
            const ssize_t w = write(fd, pending, ReportBytes);
            if (w == ReportBytes) {
                havePending = false;
                if (!hostThere) {
                    hostThere = true;
                    unit.plugIn();
                }
            } else if (w < 0 && errno != EAGAIN && hostThere) {
                // Unbound from the bus: like a unit switched off, it forgets
                // what it was sending.
                hostThere = false;
                havePending = false;
                unit.unplug();
            }
        }
        if (!hostThere) {
            // Try a count-0 report now and then to learn when the host is back.
            const std::uint8_t idle[ReportBytes] = {};
            usleep(10000);
            if (write(fd, idle, ReportBytes) == ReportBytes) {
                hostThere = true;
                unit.plugIn();
            }
        }
    }
    close(fd);
    std::fclose(log);
    std::fclose(features);
    return 0;
}
