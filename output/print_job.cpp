#include "output/print_job.h"

#include <QPrinter>
#include <QPrinterInfo>

SystemDefaultPrinter::SystemDefaultPrinter() = default;
SystemDefaultPrinter::~SystemDefaultPrinter() = default;

namespace {

QPrinter* Fail(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return nullptr;
}

} // namespace

QPrinter* SystemDefaultPrinter::printer(QString* why)
{
    printer_.reset();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return Fail(why, QStringLiteral("No default printer is set up on this computer."));
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid() || (printer->outputFormat() == QPrinter::PdfFormat && printer->outputFileName().isEmpty()))
        return Fail(why, QStringLiteral("The default printer \"%1\" cannot be used.").arg(info.printerName()));
    printer_ = std::move(printer);
    return printer_.get();
}
