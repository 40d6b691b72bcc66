// The Windows side of the hidapi layer on the system's own calls.
#include "device/windows_hid_interface.h"

#include <hidapi.h>
#include <hidapi_winapi.h>

#include <windows.h>

// mingw-w64's HID headers declare C functions without saying so.
extern "C" {
#include <hidsdi.h>
}

namespace {

std::wstring WidePath(const std::string& path)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), size);
    return wide;
}

class SystemHidCalls : public WindowsHidCalls {
public:
    std::optional<ReportLengths> capabilities(const std::string& path) override
    {
        // No access asked: capabilities can be read while another handle has the unit.
        const HANDLE handle = CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return std::nullopt;
        std::optional<ReportLengths> lengths;
        PHIDP_PREPARSED_DATA data = nullptr;
        if (HidD_GetPreparsedData(handle, &data)) {
            HIDP_CAPS caps{};
            if (HidP_GetCaps(data, &caps) == HIDP_STATUS_SUCCESS)
                lengths = ReportLengths{caps.InputReportByteLength, caps.OutputReportByteLength};
            HidD_FreePreparsedData(data);
        }
        CloseHandle(handle);
        return lengths;
    }

    unsigned long openError(const std::string& path) override
    {
        const HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return GetLastError();
        CloseHandle(handle);
        return ERROR_SUCCESS;
    }

    void setInputBuffers(hid_device_* device, int count) override
    {
        // hidapi asks for 64; more keep a long download whole while the window is busy.
        hid_winapi_set_num_input_buffers(device, count);
    }
};

} // namespace

HidapiPlatformSide ThisPlatformSide() { return WindowsPlatformSide(std::make_shared<SystemHidCalls>()); }
