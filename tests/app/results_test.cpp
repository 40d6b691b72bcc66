// The results of the list on screen: a start list imported through its
// step, places that follow the list, a bib read twice chosen, each step
// undone, the results file, and all of it kept for the next run.
#include "app/results_controller.h"
#include "app/start_list_import_dialog.h"
#include "presentation/results_picture.h"
#include "support/app_rig.h"
#include "support/scripted_prompt.h"

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

std::vector<TimerRecordBytes> Heat()
{
    const std::pair<int, std::uint32_t> crossings[] = {
        {1, 300000}, {2, 290000}, {3, 0}, {2, 310000}, {9, 280000},
    };
    std::vector<TimerRecordBytes> memory;
    for (const auto& [bib, elapsed] : crossings)
        memory.push_back(MakeTimerRecord(
            {.start = 1000, .finish = elapsed ? 1000 + elapsed : 0, .bib = bib, .dnf = elapsed == 0}));
    return memory;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A semicolon file in Windows-1252, as a spreadsheet saves it.
const QByteArray StartList = "Bib;First Name;Last Name;Gender;Birth Date;Category\r\n"
                             "1;Zo\xe9;<b>Ng</b>;F;1990-03-01;Open\r\n"
                             "2;Ali;=Kaya;M;14.07.1985;Open\r\n"
                             "3;Per;Lund;M;1979;Vets\r\n";

// Each line of the window as "bib place status", once it shows the table as it stands.
QStringList Shown(ResultsController& results)
{
    EXPECT_TRUE(QTest::qWaitFor([&results] { return !results.refreshPending(); }, 2000));
    QStringList lines;
    const QTreeWidget& table = results.window()->table();
    for (int i = 0; i < table.topLevelItemCount(); ++i) {
        const QTreeWidgetItem& item = *table.topLevelItem(i);
        lines << QStringLiteral("%1 %2 %3")
                     .arg(item.text(ResultsWindow::Bib), item.text(ResultsWindow::Place), item.text(ResultsWindow::Status))
                     .simplified();
    }
    return lines;
}

TEST(Results, FollowTheListAndTheEventIsKeptForTheNextRun)
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    const QString lists = dir.filePath("lists");
    {
        AppRig r(Heat(), true, &prompt, {}, lists);
        r.loadAndDownload();
        ResultsController& results = r.app->resultsOfRace();
        Write(dir.filePath("start.csv"), StartList);
        ASSERT_TRUE(results.importFile(dir.filePath("start.csv")));
        StartListImportDialog& step = *results.importDialog();
        ASSERT_TRUE(step.takeButton().isEnabled());
        step.takeButton().click();
        ASSERT_EQ(results.entrants().size(), 3);
        EXPECT_EQ(results.entrants().find(1)->firstName, QStringLiteral("Zo\u00e9"));
        // A line's tooltip names its entrant, whose name is never markup.
        ResultsPicture& picture = r.app->window().picture();
        const int h = picture.textHeightTwips("hi");
        const QString tip = picture.toolTipAt(4 * h + h / 4.0);
        EXPECT_TRUE(tip.contains(QStringLiteral("Name: Zo\u00e9 &lt;b&gt;Ng&lt;/b&gt; (F, Open)"))) << tip.toStdString();
        const QString unknown = picture.toolTipAt(8 * h + h / 4.0);
        EXPECT_TRUE(unknown.contains("BIB #: 9") && !unknown.contains("Name:")) << "bib 9 is in no entrant row";

        results.showWindow();
        EXPECT_EQ(Shown(results), (QStringList{"1 1", "3 DNF", "9 Unknown bib", "2 Read twice: choose",
                                               "2 Read twice: choose"}));
        // A mark in the list (view row 4: record 1) is in the results by the next turn of the event loop.
        r.clickLine(4);
        r.clickLine(4);
        EXPECT_EQ(Shown(results).mid(0, 2), (QStringList{"3 DNF", "1 DQ"}));
        r.clickLine(4);

        results.chooseRead(2, 2);
        EXPECT_EQ(Shown(results).mid(0, 3), (QStringList{"2 1", "1 2", "3 DNF"}));
        results.history().undo();
        EXPECT_EQ(Shown(results).front(), "1 1");
        results.history().redo();
        EXPECT_EQ(Shown(results).front(), "2 1");

        results.setRules({.raceDay = QDate(2026, 6, 1), .ageGroupStarts = {}});
        ASSERT_TRUE(results.writeResults(dir.filePath("results.csv")));
        QFile written(dir.filePath("results.csv"));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(written.readAll()),
                  QString::fromUtf8("Place,Bib,First Name,Last Name,Gender,Age,Category,Category Place,Time,Status\r\n"
                                    "1,2,Ali,'=Kaya,M,40,Open,1,0:04:50.00,\r\n"
                                    "2,1,Zo\xc3\xa9,<b>Ng</b>,F,36,Open,2,0:05:00.00,\r\n"
                                    ",3,Per,Lund,M,47,Vets,,,DNF\r\n"));
        EXPECT_TRUE(results.window()->news().text().contains("(lines: 3)"));

        // An import taken back, and given again: one step each way.
        results.take({}, "empty.csv");
        EXPECT_TRUE(results.entrants().empty());
        results.history().undo();
        EXPECT_EQ(results.entrants().size(), 3);
    }
    AppRig again(Heat(), true, &prompt, {}, lists);
    again.load();
    QCoreApplication::processEvents();
    ResultsController& results = again.app->resultsOfRace();
    EXPECT_EQ(results.entrants().size(), 3);
    again.app->window().listAction(MainWindow::ListAction::BringBack).trigger();
    results.showWindow();
    EXPECT_EQ(Shown(results).front(), "2 1") << "the choice belongs to the list it was made in";
}

TEST(Results, AStartListWithProblemsTakesNothing)
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    AppRig r(Heat(), true, &prompt);
    r.load();
    ResultsController& results = r.app->resultsOfRace();
    struct Case {
        const char* what;
        QByteArray file;
        bool imported;
        QStringList problems;
    };
    const Case cases[] = {
        {"a bib given twice", "Bib,Name\n4,A B\n5,C D\n4,E F\n", true, {"Lines 2 and 4 both have bib 4."}},
        {"a birth date no one can read", "No,Name,DOB\n4,A B,31.02.1990\n", true,
         {"Line 2: \u201c31.02.1990\u201d is no birth date or age the program can read."}},
        {"no table at all", QByteArray("\x00\x01\x02", 3), false, {}},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath("list.csv");
        Write(path, c.file);
        ASSERT_EQ(results.importFile(path), c.imported) << c.what;
        if (!c.imported) {
            EXPECT_TRUE(prompt.messages.last().contains("holds no start list")) << c.what;
            continue;
        }
        StartListImportDialog& step = *results.importDialog();
        QStringList problems;
        for (int i = 0; i < step.problems().count(); ++i)
            problems << step.problems().item(i)->text();
        EXPECT_EQ(problems, c.problems) << c.what;
        EXPECT_FALSE(step.takeButton().isEnabled()) << c.what;
        step.accept();
        EXPECT_TRUE(results.entrants().empty()) << c.what;
    }
    // A column chosen away is read again at once.
    Write(dir.filePath("ok.csv"), "Bib,Name\n4,A B\n");
    ASSERT_TRUE(results.importFile(dir.filePath("ok.csv")));
    StartListImportDialog& step = *results.importDialog();
    EXPECT_TRUE(step.takeButton().isEnabled());
    step.columnOf(EntrantField::Bib).setCurrentIndex(0);
    EXPECT_FALSE(step.takeButton().isEnabled());
    EXPECT_EQ(step.problems().item(0)->text().left(29), "No column is chosen for the b");
}

} // namespace
