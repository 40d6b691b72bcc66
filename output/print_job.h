#pragma once

#include <QString>

#include <memory>

class QPrinter;

// The system's default printer, or why there is none to print on.
// Qt quietly turns "no printer" into a PDF writer with no file: that counts
// as none here.
class DefaultPrinter {
public:
    virtual ~DefaultPrinter() = default;
    // Null with `why` set when there is no usable default printer.
    virtual QPrinter* printer(QString* why) = 0;
};

class SystemDefaultPrinter : public DefaultPrinter {
public:
    SystemDefaultPrinter();
    ~SystemDefaultPrinter() override;
    QPrinter* printer(QString* why) override;

private:
    std::unique_ptr<QPrinter> printer_;
};
