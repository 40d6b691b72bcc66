#pragma once

#include "output/print_job.h"

#include <QPrinter>
#include <QString>

// A default printer that is not there.
class NoPrinter : public DefaultPrinter {
public:
    QPrinter* printer(QString* why) override
    {
        *why = "No default printer is set up on this computer.";
        return nullptr;
    }
};

// A default printer that prints into a PDF file.
class PdfPrinter : public DefaultPrinter {
public:
    explicit PdfPrinter(const QString& file)
    {
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(file);
    }
    QPrinter* printer(QString*) override { return &pdf; }
    QPrinter pdf{QPrinter::HighResolution};
};
