// The Linux side of the hidapi layer: the USB descriptors through libusb.
#include "device/usb_interface.h"

HidapiPlatformSide ThisPlatformSide()
{
    HidapiPlatformSide side;
    side.reportLengths = &UsbReportLengths;
    side.whyNotOpened = &UsbOpenFailure;
    // Without the udev daemon libusb never hears of a unit plugged in since it started.
    side.hearsOfNewDevices = &UdevDaemonRunning;
    return side;
}
