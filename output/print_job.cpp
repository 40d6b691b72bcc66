#include "output/print_job.h"

#include <QPrinter>
#include <QPrinterInfo>

SystemDefaultPrinter::~SystemDefaultPrinter() { delete printer_; }

QPrinter* SystemDefaultPrinter::printer(QString* why)
{
    delete printer_;
    printer_ = nullptr;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        *why = QStringLiteral("No default printer is set up on this computer.");
        return nullptr;
    }
    printer_ = new QPrinter(info, QPrinter::HighResolution);
    if (!printer_->isValid()
        || (printer_->outputFormat() == QPrinter::PdfFormat && printer_->outputFileName().isEmpty())) {
        delete printer_;
        printer_ = nullptr;
        *why = QStringLiteral("The default printer \"%1\" cannot be used.").arg(info.printerName());
        return nullptr;
    }
    return printer_;
}
