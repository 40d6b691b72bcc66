#include "device/usb_interface.h"

#include "device/unit_report.h"

#include <libusb.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <functional>

namespace {

// Bits 0..10 of wMaxPacketSize; 64 bytes is the most an interrupt packet of
// a low- or full-speed device carries.
constexpr int PacketSizeMask = 0x07FF;
constexpr int LargestPacket = 64;

std::string DevicePath(libusb_device* dev)
{
    std::array<std::uint8_t, 8> ports{};
    const int n = libusb_get_port_numbers(dev, ports.data(), static_cast<int>(ports.size()));
    std::string path = std::to_string(libusb_get_bus_number(dev));
    for (int i = 0; i < n; ++i) {
        path += i == 0 ? '-' : '.';
        path += std::to_string(ports[static_cast<std::size_t>(i)]);
    }
    return path;
}

// Calls `found` with the device and interface descriptor that `path` names.
bool WithInterface(const std::string& path,
                   const std::function<void(libusb_device*, const libusb_interface_descriptor&)>& found)
{
    libusb_context* ctx = nullptr;
    if (libusb_init(&ctx) != 0)
        return false;
    bool done = false;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(ctx, &list);
    for (ssize_t d = 0; d < count && !done; ++d) {
        libusb_config_descriptor* config = nullptr;
        if (libusb_get_active_config_descriptor(list[d], &config) != 0)
            continue;
        const std::string device = DevicePath(list[d]);
        for (int i = 0; i < config->bNumInterfaces && !done; ++i) {
            const libusb_interface& intf = config->interface[i];
            if (intf.num_altsetting < 1)
                continue;
            const libusb_interface_descriptor& alt = intf.altsetting[0];
            const std::string name = device + ":" + std::to_string(config->bConfigurationValue) + "."
                + std::to_string(alt.bInterfaceNumber);
            if (alt.bInterfaceClass == LIBUSB_CLASS_HID && name == path) {
                found(list[d], alt);
                done = true;
            }
        }
        libusb_free_config_descriptor(config);
    }
    if (list)
        libusb_free_device_list(list, 1);
    libusb_exit(ctx);
    return done;
}

} // namespace

ReportLengths ReportLengthsOf(const std::vector<InterruptEndpoint>& endpoints)
{
    ReportLengths lengths;
    for (const InterruptEndpoint& ep : endpoints) {
        const int packet = std::clamp(ep.maxPacketSize & PacketSizeMask, 1, LargestPacket);
        (ep.in ? lengths.input : lengths.output) = packet + 1;
    }
    if (lengths.input > 0 && lengths.output == 0)
        lengths.output = static_cast<int>(UnitReportLength);
    return lengths;
}

ReportLengths UsbReportLengths(const std::string& path)
{
    ReportLengths lengths;
    WithInterface(path, [&](libusb_device*, const libusb_interface_descriptor& alt) {
        std::vector<InterruptEndpoint> endpoints;
        for (int e = 0; e < alt.bNumEndpoints; ++e) {
            const libusb_endpoint_descriptor& ep = alt.endpoint[e];
            if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) == LIBUSB_TRANSFER_TYPE_INTERRUPT)
                endpoints.push_back({(ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN,
                                     ep.wMaxPacketSize});
        }
        lengths = ReportLengthsOf(endpoints);
    });
    return lengths;
}

OpenFailure UsbOpenFailure(const std::string& path)
{
    OpenFailure why = OpenFailure::Other;
    WithInterface(path, [&](libusb_device* dev, const libusb_interface_descriptor&) {
        char node[64];
        std::snprintf(node, sizeof node, "/dev/bus/usb/%03u/%03u", libusb_get_bus_number(dev),
                      libusb_get_device_address(dev));
        if (access(node, R_OK | W_OK) != 0)
            why = errno == EACCES || errno == EPERM ? OpenFailure::NoPermission : OpenFailure::Other;
        else
            why = OpenFailure::Busy;
    });
    return why;
}

bool UdevDaemonRunning() { return access("/run/udev/control", F_OK) == 0; }
