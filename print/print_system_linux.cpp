// Printing through CUPS itself rather than Qt's CUPS print engine: that
// engine waits on the server with no time limit and does not say whether
// the job was taken. Every wait here has a deadline, and the job counts as
// printed only when the server has accepted the whole document.
#include "print/print_system.h"

#include "print/printed_report.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

namespace {

// Longer than a server that is there takes to say it has no default printer.
constexpr qint64 NoDefaultAnswerMs = 1000;

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

// The page of the queue's default media, landscape, its margins where the
// printer cannot print; A4 with Qt's margins when the queue names none.
QPageLayout DefaultMediaLandscape(http_t* http, cups_dest_t* dest)
{
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10), QPageLayout::Point);
    if (cups_dinfo_t* info = cupsCopyDestInfo(http, dest)) {
        cups_size_t media{};
        if (cupsGetDestMediaDefault(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &media) && media.width > 0
            && media.length > 0) {
            // Given for the portrait sheet, in hundredths of a millimetre.
            // Which of its edges becomes the top of the turned page is the
            // driver's choice: each edge gets the larger of the two it may be.
            const double across = std::max(media.left, media.right) / 100.0;
            const double along = std::max(media.top, media.bottom) / 100.0;
            layout = QPageLayout(QPageSize(QSizeF(media.width / 100.0, media.length / 100.0), QPageSize::Millimeter),
                                 QPageLayout::Landscape, QMarginsF(along, across, along, across),
                                 QPageLayout::Millimeter);
        }
        cupsFreeDestInfo(info);
    }
    return layout;
}

// The job, made on this connection alone: cupsCreateJob looks the queue up
// again and, once that look-up gives up, asks the server once more on a
// connection of its own, which waits a minute without asking whether to go on.
int CreateJob(http_t* http, const char* queue)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s", queue);
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, "Results");
    const QByteArray resource = QByteArray("/printers/") + queue;
    std::unique_ptr<ipp_t, decltype(&ippDelete)> response(cupsDoRequest(http, request, resource.constData()), &ippDelete);
    ipp_attribute_t* id = response ? ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER) : nullptr;
    return id ? ippGetInteger(id, 0) : 0;
}

class CupsPrintSystem : public PrintSystem {
public:
    CupsPrintSystem(std::chrono::milliseconds patience, HandOverWatch watch)
        : patience_(patience), watch_(std::move(watch))
    {
    }

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
            result.outcome = PrintOutcome::NotRunning;
            return result;
        }
        // Asked often, so that a stop (the program ending) is heard at once.
        httpSetTimeout(http.get(), 0.2, KeepWaiting, &deadline);
        auto failed = [&](PrintOutcome outcome, const QString& detail, PrintFailure failure = PrintFailure::Unknown) {
            result.failure = failure;
            result.outcome = deadline.passed ? PrintOutcome::TimedOut : outcome;
            result.detail = deadline.passed ? QString() : detail;
            return result;
        };

        std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)> dest(
            cupsGetNamedDest(http.get(), nullptr, nullptr), [](cups_dest_t* d) { cupsFreeDests(1, d); });
        if (!dest) {
            const ipp_status_t why = cupsLastError();
            if (deadline.passed || why == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || why == IPP_STATUS_ERROR_INTERNAL)
                return failed(PrintOutcome::StoppedAnswering, LastCupsError());
            // libcups says "no default destination" also when the server broke
            // the connection or never answered; a server that answers says so
            // at once.
            if (const int broken = httpError(http.get()); broken != 0 && broken != ETIMEDOUT)
                return failed(PrintOutcome::StoppedAnswering, QString::fromLocal8Bit(std::strerror(broken)));
            if (httpError(http.get()) == ETIMEDOUT || deadline.since.elapsed() >= NoDefaultAnswerMs)
                return failed(PrintOutcome::TimedOut, {});
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
            return failed(PrintOutcome::Failed, pdf.errorString(), PrintFailure::NoJobFile);
        {
            QPdfWriter writer(pdf.fileName());
            writer.setPageLayout(DefaultMediaLandscape(http.get(), dest.get()));
            writer.setResolution(1200);
            writer.setCreator(QStringLiteral("Trivex"));
            PrintFailure why = PrintFailure::Unknown;
            if (!layout(writer, &why))
                return failed(PrintOutcome::Failed, {}, why);
        }

        step(HandOverStep::CreateJob);
        const int job = CreateJob(http.get(), dest->name);
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
        step(HandOverStep::StartDocument);
        if (cupsStartDocument(http.get(), dest->name, job, "Results", CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE)
            return jobFailed(PrintOutcome::Failed, LastCupsError());
        step(HandOverStep::WriteDocument);
        QFile in(pdf.fileName());
        bool written = in.open(QIODevice::ReadOnly);
        while (written && !in.atEnd() && !deadline.passed) {
            const QByteArray chunk = in.read(64 * 1024);
            written = cupsWriteRequestData(http.get(), chunk.constData(), static_cast<size_t>(chunk.size()))
                == HTTP_STATUS_CONTINUE;
        }
        // Short of its end, the document is never taken: the job goes.
        if (!written || deadline.passed)
            return jobFailed(PrintOutcome::Failed, LastCupsError());
        step(HandOverStep::FinishDocument);
        const ipp_status_t finished = cupsFinishDocument(http.get(), dest->name);
        // The whole document is on its way: only the service's answer says it
        // holds it, and without one it may still print once the service goes on.
        if (deadline.passed) {
            cupsCancelJob2(http.get(), dest->name, job, 0);
            result.outcome = PrintOutcome::Unconfirmed;
            return result;
        }
        if (finished > IPP_STATUS_OK_EVENTS_COMPLETE)
            return jobFailed(finished == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS ? PrintOutcome::Refused : PrintOutcome::Failed,
                             LastCupsError());
        result.outcome = paused ? PrintOutcome::Held : PrintOutcome::Sent;
        return result;
    }

private:
    void step(HandOverStep next) const
    {
        if (watch_)
            watch_(next);
    }

    std::chrono::milliseconds patience_;
    HandOverWatch watch_;
};

} // namespace

std::unique_ptr<PrintSystem> MakeSystemPrintSystem(std::chrono::milliseconds patience, HandOverWatch watch)
{
    return std::make_unique<CupsPrintSystem>(patience, std::move(watch));
}
