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
    const auto table = p.r.state().store.RecordTable;
    p.print();
    ASSERT_EQ(p.prompt.messages.size(), 1);
    EXPECT_TRUE(p.told().startsWith("Nothing was printed. The print service of this computer is not running."))
        << p.told().toStdString();
    EXPECT_EQ(p.r.line(), "Nothing was printed: the print service is not running.");
    EXPECT_EQ(p.r.state().store.RecordTable, table);
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
    EXPECT_EQ(text.valueOf("Unit").toStdString(), p.r.state().format.lastRecordLine.Source);
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

// The daemon killed while the job waits on it: told at once, not as sent.
TEST(RealPrinter, AServerKilledDuringTheJobIsTold)
{
    PrintRig p("ready-to-kill");
    SKIP_UNLESS_STATE(p);
    ASSERT_EQ(::kill(Daemon(), SIGSTOP), 0);
    QTimer::singleShot(1000, [] { ::kill(Daemon(), SIGKILL); });
    p.print();
    ASSERT_EQ(p.prompt.messages.size(), 1);
    EXPECT_TRUE(p.told().startsWith("Nothing was printed.")) << p.told().toStdString();
    EXPECT_FALSE(p.r.line().startsWith("The list was sent")) << p.r.line().toStdString();
}

} // namespace
