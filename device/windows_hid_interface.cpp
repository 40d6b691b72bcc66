#include "device/windows_hid_interface.h"

ReportLengths WindowsReportLengths(WindowsHidCalls& calls, const std::string& path)
{
    const std::optional<ReportLengths> caps = calls.capabilities(path);
    if (!caps)
        return {};
    // A length of 0 or 1 carries no data byte: unknown, as far as the link goes.
    return {caps->input > 1 ? caps->input : 0, caps->output > 1 ? caps->output : 0};
}

OpenFailure WindowsOpenFailure(WindowsHidCalls& calls, const std::string& path)
{
    switch (calls.openError(path)) {
    case WindowsError::SharingViolation:
        return OpenFailure::Busy;
    case WindowsError::AccessDenied:
        return OpenFailure::NoPermission;
    default:
        return OpenFailure::Other;
    }
}

HidapiPlatformSide WindowsPlatformSide(std::shared_ptr<WindowsHidCalls> calls)
{
    HidapiPlatformSide side;
    side.reportLengths = [calls](const std::string& path) { return WindowsReportLengths(*calls, path); };
    side.whyNotOpened = [calls](const std::string& path) { return WindowsOpenFailure(*calls, path); };
    // Each enumeration asks the system afresh.
    side.hearsOfNewDevices = [] { return true; };
    side.prepareOpened = [calls](hid_device_* device) { calls->setInputBuffers(device, WindowsInputBuffers); };
    return side;
}
