#include "app/output_controller.h"

#include "app/download_controller.h"
#include "app/kept_lists_controller.h"
#include "app/main_window.h"
#include "app/operator_line_texts.h"
#include "app/operator_news.h"
#include "common/operator_prompt.h"
#include "export/export_dialog.h"

OutputController::OutputController(const Parts& parts) : parts_(parts), printing_(std::chrono::seconds(20))
{
    connect(&printing_, &PrintController::finished, this, &OutputController::printFinished);
}

void OutputController::writeFileClicked()
{
    parts_.window.setVisible(true);
    if (!exportDialog_) {
        exportDialog_ = new ExportDialog(parts_.state.format, parts_.state.records.table(), parts_.prompt, &parts_.window);
        connect(exportDialog_, &ExportDialog::written, this, [this](const QString& path) {
            parts_.lists.noteExported(path);
            parts_.news.show(OperatorLineText::ListWritten(ExportFormatOf(path), listCaveat()), path);
        });
        // An earlier export's news of success must not stand for this one.
        connect(exportDialog_, &ExportDialog::notWritten, this,
                [this](const QString& path) { parts_.news.show(OperatorLineText::ListNotWritten(), path); });
        connect(exportDialog_, &ExportDialog::cancelled, this,
                [this] { parts_.news.show(OperatorLineText::ExportCancelled()); });
        exportDialog_->startIn(parts_.lists.lastExportFolder());
    }
    exportDialog_->open();
}

void OutputController::windowClosing()
{
    if (exportDialog_)
        exportDialog_->hide();
}

QString OutputController::listCaveat() const
{
    // Records still on their way are not missing.
    if (parts_.download.watching())
        return OperatorLineText::DownloadStillRunning(CountDownload(parts_.state.records.table()));
    return OperatorLineText::ListCaveat(parts_.state.records.table());
}

void OutputController::printClicked()
{
    if (printing_.print(parts_.state.format, parts_.state.records.table(), listCaveat()) == PrintController::Press::StillPrinting) {
        parts_.news.show(OperatorLineText::StillPrinting());
        return;
    }
    printedList_ = parts_.lists.listOnScreen();
    printingList_ = true;
    parts_.news.show(OperatorLineText::SendingToPrinter());
}

void OutputController::printReport(PrintedTable report)
{
    if (printing_.print(std::move(report), {}) == PrintController::Press::StillPrinting) {
        parts_.news.show(OperatorLineText::StillPrinting());
        return;
    }
    printingList_ = false;
    parts_.news.show(OperatorLineText::SendingResultsToPrinter());
}

void OutputController::printFinished(const PrintResult& r, const QString& caveat)
{
    if (printingList_ && (r.outcome == PrintOutcome::Sent || r.outcome == PrintOutcome::Held))
        parts_.lists.notePrinted(printedList_, r.printer);
    const OperatorLineText::PrintNews news = OperatorLineText::TellPrintOutcome(r, caveat);
    parts_.news.show(news.line);
    if (!news.message.isEmpty())
        parts_.prompt.tell(news.message);
}
