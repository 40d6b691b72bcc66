#include "usb_report_lengths.h"

#include <libusb.h>

#include <array>
#include <cstdint>

namespace {

std::string InterfacePath(libusb_device* dev, int configValue, int interfaceNumber)
{
    std::array<std::uint8_t, 8> ports{};
    const int n = libusb_get_port_numbers(dev, ports.data(), static_cast<int>(ports.size()));
    std::string path = std::to_string(libusb_get_bus_number(dev));
    for (int i = 0; i < n; ++i)
        path += (i == 0 ? "-" : ".") + std::to_string(ports[static_cast<std::size_t>(i)]);
    return path + ":" + std::to_string(configValue) + "." + std::to_string(interfaceNumber);
}

ReportLengths FromInterface(const libusb_interface_descriptor& alt)
{
    ReportLengths lengths;
    for (int e = 0; e < alt.bNumEndpoints; ++e) {
        const libusb_endpoint_descriptor& ep = alt.endpoint[e];
        if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_INTERRUPT)
            continue;
        const int length = ep.wMaxPacketSize + 1;
        if ((ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN)
            lengths.input = length;
        else
            lengths.output = length;
    }
    // Without an interrupt OUT endpoint, output reports go over the control pipe
    // with the same size as the input reports.
    if (lengths.output == 0)
        lengths.output = lengths.input;
    return lengths;
}

} // namespace

ReportLengths UsbReportLengths(const std::string& path)
{
    ReportLengths found;
    libusb_context* ctx = nullptr;
    if (libusb_init(&ctx) != 0)
        return found;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(ctx, &list);
    for (ssize_t d = 0; d < count && found.input == 0; ++d) {
        libusb_config_descriptor* config = nullptr;
        if (libusb_get_active_config_descriptor(list[d], &config) != 0)
            continue;
        for (int i = 0; i < config->bNumInterfaces && found.input == 0; ++i) {
            const libusb_interface& intf = config->interface[i];
            if (intf.num_altsetting < 1)
                continue;
            const libusb_interface_descriptor& alt = intf.altsetting[0];
            if (alt.bInterfaceClass == LIBUSB_CLASS_HID
                && InterfacePath(list[d], config->bConfigurationValue, alt.bInterfaceNumber) == path)
                found = FromInterface(alt);
        }
        libusb_free_config_descriptor(config);
    }
    if (list)
        libusb_free_device_list(list, 1);
    libusb_exit(ctx);
    return found;
}
