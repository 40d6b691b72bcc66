// Printing through the Windows spooler: the printer's state from the
// spooler first, then the pages drawn on the printer itself, which hands
// them to the spooler as a job.
#include "print/print_system.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <windows.h>
#include <winspool.h>

#include <vector>

namespace {

// The default printer's name; empty when none is set up.
QString DefaultPrinterName()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0)
        return {};
    std::vector<wchar_t> name(size);
    if (!GetDefaultPrinterW(name.data(), &size))
        return {};
    return QString::fromWCharArray(name.data());
}

// The spooler's status bits for the printer; false when it cannot be asked.
bool PrinterStatus(const QString& name, DWORD* status)
{
    HANDLE printer = nullptr;
    std::wstring wide = name.toStdWString();
    if (!OpenPrinterW(wide.data(), &printer, nullptr))
        return false;
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    const bool ok = needed && GetPrinterW(printer, 2, buffer.data(), needed, &needed);
    if (ok)
        *status = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data())->Status;
    ClosePrinter(printer);
    return ok;
}

class SpoolerPrintSystem : public PrintSystem {
public:
    PrintResult printOnDefault(const PageLayout& layout, std::stop_token) override
    {
        PrintResult result;
        result.printer = DefaultPrinterName();
        if (result.printer.isEmpty()) {
            result.outcome = PrintOutcome::NoPrinter;
            return result;
        }
        DWORD status = 0;
        if (!PrinterStatus(result.printer, &status)) {
            result.outcome = PrintOutcome::NotAnswering;
            return result;
        }
        if (status & (PRINTER_STATUS_PENDING_DELETION | PRINTER_STATUS_NOT_AVAILABLE)) {
            result.outcome = PrintOutcome::Refused;
            return result;
        }
        const QPrinterInfo info = QPrinterInfo::printerInfo(result.printer);
        if (info.isNull()) {
            result.outcome = PrintOutcome::NoPrinter;
            return result;
        }
        QPrinter printer(info, QPrinter::HighResolution);
        PrintFailure why = PrintFailure::Unknown;
        if (!printer.isValid() || !layout(printer, &why) || printer.printerState() == QPrinter::Error) {
            result.outcome = PrintOutcome::Failed;
            result.failure = why;
            return result;
        }
        result.outcome = (status & PRINTER_STATUS_PAUSED) ? PrintOutcome::Held : PrintOutcome::Sent;
        return result;
    }
};

} // namespace

// The spooler takes the job in one piece, as the pages are drawn: no steps to tell.
std::unique_ptr<PrintSystem> MakeSystemPrintSystem(std::chrono::milliseconds, HandOverWatch)
{
    return std::make_unique<SpoolerPrintSystem>();
}
