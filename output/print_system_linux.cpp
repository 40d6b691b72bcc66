// Printing through CUPS itself rather than Qt's CUPS print engine: that
// engine waits on the server with no time limit and does not say whether
// the job was taken. Every wait here has a deadline, and the job counts as
// printed only when the server has accepted the whole document.
#include "output/print_system.h"

#include "output/printed_report.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <memory>

namespace {

struct Deadline {
    QElapsedTimer since;
    std::chrono::milliseconds patience;
    std::stop_token stop;
    bool passed = false;
};

// Called by libcups each time it has waited a while for the server: 0 gives up.
int KeepWaiting(http_t*, void* data)
{
    auto* d = static_cast<Deadline*>(data);
    if (d->stop.stop_requested() || d->since.elapsed() >= d->patience.count()) {
        d->passed = true;
        return 0;
    }
    return 1;
}

QString LastCupsError() { return QString::fromUtf8(cupsLastErrorString()); }

// The default media of the queue, or A4 when it names none.
QPageSize DefaultMedia(http_t* http, cups_dest_t* dest)
{
    QPageSize size(QPageSize::A4);
    if (cups_dinfo_t* info = cupsCopyDestInfo(http, dest)) {
        cups_size_t media{};
        if (cupsGetDestMediaDefault(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &media) && media.width > 0
            && media.length > 0)
            size = QPageSize(QSizeF(media.width / 100.0, media.length / 100.0), QPageSize::Millimeter);
        cupsFreeDestInfo(info);
    }
    return size;
}

class CupsPrintSystem : public PrintSystem {
public:
    explicit CupsPrintSystem(std::chrono::milliseconds patience) : patience_(patience) {}

    PrintResult printOnDefault(const PageLayout& layout, std::stop_token stop) override
    {
        Deadline deadline{{}, patience_, stop};
        deadline.since.start();
        PrintResult result;
        std::unique_ptr<http_t, decltype(&httpClose)> http(
            httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         static_cast<int>(patience_.count()), nullptr),
            &httpClose);
        if (!http) {
            result.outcome = PrintOutcome::NotAnswering;
            result.detail = QStringLiteral("is not running");
            return result;
        }
        // Asked often, so that a stop (the program ending) is heard at once.
        httpSetTimeout(http.get(), 0.2, KeepWaiting, &deadline);
        auto failed = [&](PrintOutcome outcome, const QString& detail) {
            result.outcome = deadline.passed ? PrintOutcome::NotAnswering : outcome;
            result.detail = deadline.passed ? QStringLiteral("did not answer in time") : detail;
            return result;
        };

        std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)> dest(
            cupsGetNamedDest(http.get(), nullptr, nullptr), [](cups_dest_t* d) { cupsFreeDests(1, d); });
        if (!dest) {
            const ipp_status_t why = cupsLastError();
            if (deadline.passed || why == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || why == IPP_STATUS_ERROR_INTERNAL)
                return failed(PrintOutcome::NotAnswering, "stopped answering (" + LastCupsError() + ")");
            return failed(PrintOutcome::NoPrinter, {});
        }
        result.printer = QString::fromUtf8(dest->name);
        auto option = [&](const char* name) {
            const char* v = cupsGetOption(name, dest->num_options, dest->options);
            return QString::fromUtf8(v ? v : "");
        };
        if (option("printer-is-accepting-jobs") == QLatin1String("false"))
            return failed(PrintOutcome::Refused, option("printer-state-message"));
        const bool paused = option("printer-state") == QLatin1String("5");

        QTemporaryFile pdf;
        if (!pdf.open())
            return failed(PrintOutcome::Failed, QStringLiteral("no temporary file for the job: ") + pdf.errorString());
        {
            QPdfWriter writer(pdf.fileName());
            writer.setPageSize(DefaultMedia(http.get(), dest.get()));
            writer.setResolution(1200);
            writer.setCreator(QStringLiteral("Trivex"));
            QString why;
            if (!layout(writer, &why))
                return failed(PrintOutcome::Failed, why);
        }

        const int job = cupsCreateJob(http.get(), dest->name, "Results", 0, nullptr);
        if (job <= 0) {
            const ipp_status_t why = cupsLastError();
            if (why == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
                return failed(PrintOutcome::Refused, LastCupsError());
            if (why == IPP_STATUS_ERROR_NOT_FOUND)
                return failed(PrintOutcome::NoPrinter, LastCupsError());
            return failed(PrintOutcome::Failed, LastCupsError());
        }
        // A job that never got its whole document would wait in the queue
        // until the server gives up on it: it goes at once.
        auto jobFailed = [&](PrintOutcome outcome, const QString& detail) {
            const PrintResult r = failed(outcome, detail);
            cupsCancelJob2(http.get(), dest->name, job, 0);
            return r;
        };
        if (cupsStartDocument(http.get(), dest->name, job, "Results", CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE)
            return jobFailed(PrintOutcome::Failed, LastCupsError());
        QFile in(pdf.fileName());
        bool written = in.open(QIODevice::ReadOnly);
        while (written && !in.atEnd()) {
            const QByteArray chunk = in.read(64 * 1024);
            written = cupsWriteRequestData(http.get(), chunk.constData(), static_cast<size_t>(chunk.size()))
                == HTTP_STATUS_CONTINUE;
        }
        const ipp_status_t finished = cupsFinishDocument(http.get(), dest->name);
        if (!written || finished > IPP_STATUS_OK_EVENTS_COMPLETE)
            return jobFailed(finished == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS ? PrintOutcome::Refused : PrintOutcome::Failed,
                             LastCupsError());
        result.outcome = paused ? PrintOutcome::Held : PrintOutcome::Sent;
        return result;
    }

private:
    std::chrono::milliseconds patience_;
};

} // namespace

std::unique_ptr<PrintSystem> MakeSystemPrintSystem(std::chrono::milliseconds patience)
{
    return std::make_unique<CupsPrintSystem>(patience);
}
