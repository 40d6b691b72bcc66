#include "print/print_controller.h"

#include "common/output_stamp.h"
#include "print/printed_report.h"
#include "presentation/listed_records.h"

#include <QDateTime>

PrintController::PrintController(std::chrono::milliseconds patience, QObject* parent)
    : QObject(parent), own_(MakeSystemPrintSystem(patience)), system_(own_.get())
{
    connect(&job_, &PrintJob::finished, this, [this](const PrintResult& r) { emit finished(r, note_); });
}

PrintController::Press PrintController::print(FormatState& format, const RecordTableState& store, const QString& note)
{
    if (job_.running())
        return Press::StillPrinting;
    const QDateTime now = QDateTime::currentDateTime();
    const ListedRecords list = FormattedNow(ListForOutput(format, store));
    const QString date = StampDate(now);
    const QString time = StampTime(now);
    note_ = note;
    job_.start(*system_, [list, date, time](QPagedPaintDevice& device, PrintFailure* why) {
        return PrintResults(device, list, date, time, why);
    });
    return Press::Started;
}

PrintController::Press PrintController::print(PrintedTable table, const QString& note)
{
    if (job_.running())
        return Press::StillPrinting;
    note_ = note;
    job_.start(*system_, [table = std::move(table)](QPagedPaintDevice& device, PrintFailure* why) {
        return PrintTable(device, table, why);
    });
    return Press::Started;
}
