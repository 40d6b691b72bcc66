// The "Print" button on the system's own printing, against a CUPS daemon of
// the test's own in each state an operator can meet (see
// print/cups_print_test.sh, which sets the state and names it in
// TRIVEX_CUPS_STATE).
#include "support/app_rig.h"
#include "support/pdf_words.h"
#include "support/scripted_prompt.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <numeric>

#include <gtest/gtest.h>

namespace {

// How long the print system waits for the daemon here; the program's own
// patience is longer.
constexpr std::chrono::seconds Patience(3);

struct PrintRig {
    explicit PrintRig(const char* state, int records = 12) : r(true, records, &prompt)
    {
        if (qEnvironmentVariable("TRIVEX_CUPS_STATE") != QLatin1String(state))
            return;
        active = true;
        r.app->setPrintSystem(*system);
        r.loadAndDownload();
    }
    // Presses "Print" and counts the turns of the event loop until the
    // outcome is told.
    void print()
    {
        QTimer beat;
        QObject::connect(&beat, &QTimer::timeout, [this] { ++turns; });
        beat.start(50);
        took.start();
        r.click(AppRig::Button::Print);
        EXPECT_TRUE(r.waitForPrint(60000));
        elapsedMs = took.elapsed();
    }
    QString told() const { return prompt.messages.value(0); }

    ScriptedPrompt prompt;
    std::unique_ptr<PrintSystem> system = MakeSystemPrintSystem(Patience);
    AppRig r;
    bool active = false;
    int turns = 0;
    QElapsedTimer took;
    qint64 elapsedMs = 0;
};

#define SKIP_UNLESS_STATE(rig)                                                                                         \
    if (!(rig).active)                                                                                                 \
    GTEST_SKIP() << "run through print/cups_print_test.sh"

pid_t Daemon() { return static_cast<pid_t>(qEnvironmentVariableIntValue("TRIVEX_CUPSD_PID")); }

TEST(RealPrinter, NoPrintServiceIsToldAsSuch)
{
    PrintRig p("no-daemon");
    SKIP_UNLESS_STATE(p);
    const auto table = p.r.state().records.table().RecordTable;
    p.print();
    ASSERT_EQ(p.prompt.messages.size(), 1);
    EXPECT_TRUE(p.told().startsWith("Nothing was printed. The print service of this computer is not running."))
        << p.told().toStdString();
    EXPECT_EQ(p.r.line(), "Nothing was printed: the print service is not running.");
    EXPECT_EQ(p.r.state().records.table().RecordTable, table);
}

TEST(RealPrinter, NoDefaultPrinterIsToldAsSuch)
{
    PrintRig p("no-queue");
    SKIP_UNLESS_STATE(p);
    p.print();
    ASSERT_EQ(p.prompt.messages.size(), 1);
    EXPECT_TRUE(p.told().startsWith("Nothing was printed. No default printer is set up")) << p.told().toStdString();
}

TEST(RealPrinter, PrintButtonPrintsOnTheDefaultQueue)
{
    PrintRig p("ready");
    SKIP_UNLESS_STATE(p);
    const QString job = qEnvironmentVariable("TRIVEX_CUPS_JOB_PDF");
    const auto [drawnLast, listedLast] = p.r.redrawALineUnlikeTheLast();
    ASSERT_NE(drawnLast, listedLast);
    p.print();
    ASSERT_TRUE(p.prompt.messages.isEmpty()) << p.prompt.messages.join(" ").toStdString();
    EXPECT_EQ(p.r.line(), "The list was sent to the printer trivex-pdf.");

    // The queue writes the job when its filters are done.
    QElapsedTimer waited;
    waited.start();
    PdfText text;
    while (waited.elapsed() < 60000) {
        if (QFileInfo(job).size() > 0) {
            text = ReadPdfWords(job);
            if (text.ok && !text.words.empty())
                break;
        }
        QThread::msleep(200);
    }
    ASSERT_TRUE(text.ok && !text.words.empty()) << "no job arrived at " << job.toStdString();
    EXPECT_EQ(text.find("SEQ").size(), 1u);
    EXPECT_EQ(text.find("SPLIT3").size(), 1u);
    EXPECT_EQ(text.find("Date").size(), 1u);
    // Every record once, in order, under SEQ; the unit of the last line drawn.
    std::vector<int> expected(12);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(text.numbersUnder("SEQ"), expected) << text.sample();
    EXPECT_EQ(text.valueOf("Unit").toStdString(), drawnLast);
}

// The job the queue writes once its filters are done; empty after a minute.
QString WaitForJobFile(const QString& job)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        if (QFileInfo(job).size() > 0 && !ReadPdfBoxes(job).empty())
            return job;
        QThread::msleep(200);
    }
    return {};
}

// The queue's PPD gives Letter an imageable area of "18 36 594 756": wider
// margins than Qt's own. Five pages of records, every word inside that area
// on each of them, however the filters turned the page.
TEST(RealPrinter, EveryLineIsInsideThePrintableArea)
{
    PrintRig p("ready", 255);
    SKIP_UNLESS_STATE(p);
    const QString job = qEnvironmentVariable("TRIVEX_CUPS_JOB_PDF");
    QFile::remove(job);
    p.print();
    ASSERT_TRUE(p.prompt.messages.isEmpty()) << p.prompt.messages.join(" ").toStdString();
    ASSERT_FALSE(WaitForJobFile(job).isEmpty()) << "no job arrived at " << job.toStdString();
    const std::vector<PdfBox> boxes = ReadPdfBoxes(job);
    ASSERT_GT(boxes.size(), 255u * 3);
    for (const PdfBox& b : boxes) {
        // Letter, portrait as the PPD gives it, or turned a quarter.
        const bool portrait = b.page.width() < b.page.height();
        const QRectF printable = portrait ? QRectF(QPointF(18, 792 - 756), QPointF(594, 792 - 36))
                                          : QRectF(QPointF(36, 18), QPointF(756, 594));
        ASSERT_EQ(b.page.toSize(), portrait ? QSize(612, 792) : QSize(792, 612));
        EXPECT_TRUE(printable.contains(b.box)) << b.text.toStdString() << " at " << b.box.x() << "," << b.box.y()
                                               << " " << b.box.width() << "x" << b.box.height();
    }
    EXPECT_GE(ReadPdfWords(job).pages, 5);
}

// A paused queue holds the list, one that rejects jobs refuses it: each is
// told as such, never as printed.
TEST(RealPrinter, AQueueThatIsNotReadyIsToldAsSuch)
{
    struct Case {
        const char* state;
        const char* told;
    };
    for (const Case c : {Case{"paused", "The list was sent to the printer trivex-pdf, but the printer is paused"},
                         Case{"rejecting", "Nothing was printed. The printer trivex-pdf does not accept print jobs now"}}) {
        PrintRig p(c.state);
        if (!p.active)
            continue;
        p.print();
        ASSERT_EQ(p.prompt.messages.size(), 1) << c.state;
        EXPECT_TRUE(p.told().startsWith(c.told)) << p.told().toStdString();
        return;
    }
    GTEST_SKIP() << "run through print/cups_print_test.sh";
}

// The daemon stopped (SIGSTOP): its socket takes the connection and never
// answers. The window goes on, and the print gives up within its patience.
TEST(RealPrinter, AStoppedServerNeitherFreezesTheWindowNorFailsInSilence)
{
    PrintRig p("ready-to-stop");
    SKIP_UNLESS_STATE(p);
    ASSERT_EQ(::kill(Daemon(), SIGSTOP), 0);
    p.print();
    ::kill(Daemon(), SIGCONT);
    ASSERT_EQ(p.prompt.messages.size(), 1);
    EXPECT_TRUE(p.told().startsWith("Nothing was printed. The print service of this computer did not answer in time."))
        << p.told().toStdString();
    // Ticks of 50 ms went on meanwhile: about one each, far from none.
    EXPECT_GT(p.turns, p.elapsedMs / 50 / 2);
    EXPECT_LT(p.elapsedMs, 4 * std::chrono::milliseconds(Patience).count());
}

// The daemon stopped at each step of the hand-over: never told as sent. Where
// the operator is told nothing was printed, nothing prints once the daemon
// goes on; where the whole document had gone out unconfirmed, the operator
// is told it may still print.
TEST(RealPrinter, AHandOverCutShortIsNeverToldAsSent)
{
    const QString nothing = QStringLiteral("Nothing was printed. The print service of this computer did not answer in time.");
    const QString unconfirmed = QStringLiteral("The list may not have reached the printer");
    struct Case {
        HandOverStep step;
        const char* name;
        bool mayGoOut; // the whole document may have left before the stop was felt
    };
    for (const Case c : {Case{HandOverStep::CreateJob, "create", false}, Case{HandOverStep::StartDocument, "start", true},
                         Case{HandOverStep::WriteDocument, "write", true},
                         Case{HandOverStep::FinishDocument, "finish", true}}) {
        SCOPED_TRACE(c.name);
        PrintRig p("ready-to-stop");
        SKIP_UNLESS_STATE(p);
        const QString job = qEnvironmentVariable("TRIVEX_CUPS_JOB_PDF");
        QFile::remove(job);
        auto stopping = MakeSystemPrintSystem(Patience, [step = c.step](HandOverStep now) {
            if (now == step)
                ::kill(Daemon(), SIGSTOP);
        });
        p.r.app->setPrintSystem(*stopping);
        p.print();
        ::kill(Daemon(), SIGCONT);
        ASSERT_EQ(p.prompt.messages.size(), 1);
        EXPECT_FALSE(p.r.line().startsWith("The list was sent")) << p.r.line().toStdString();
        if (p.told().startsWith(nothing)) {
            QThread::msleep(3000);
            EXPECT_FALSE(QFileInfo(job).size() > 0) << "printed after all";
        } else {
            EXPECT_TRUE(c.mayGoOut && p.told().startsWith(unconfirmed)) << p.told().toStdString();
        }
        if (c.step == HandOverStep::FinishDocument) {
            EXPECT_TRUE(p.told().startsWith(unconfirmed)) << p.told().toStdString();
        }
        // The daemon at rest again before the next case.
        QThread::msleep(1000);
    }
}

// The daemon killed while the job waits on it: told at once, not as sent.
TEST(RealPrinter, AServerKilledDuringTheJobIsTold)
{
    PrintRig p("ready-to-kill");
    SKIP_UNLESS_STATE(p);
    ASSERT_EQ(::kill(Daemon(), SIGSTOP), 0);
    QTimer::singleShot(1000, [] { ::kill(Daemon(), SIGKILL); });
    p.print();
    ASSERT_EQ(p.prompt.messages.size(), 1);
    EXPECT_TRUE(p.told().startsWith("Nothing was printed. The print service of this computer stopped answering"))
        << p.told().toStdString();
    EXPECT_FALSE(p.r.line().startsWith("The list was sent")) << p.r.line().toStdString();
}

} // namespace
