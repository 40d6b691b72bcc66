// The two halves of a real power cut, run in the test guest on a virtual
// disk (usb_rig/run-power-cut-test.sh): before it, the program downloads and
// marks lines, telling the host each mark it shows, until the guest is
// stopped dead; after it, on the same disk, the program brings back the list
// with every mark it had shown.
#include "support/app_rig.h"
#include "support/test_arguments.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>

#include <cstdio>
#include <map>
#include <thread>

namespace {

constexpr int Records = 48;

int MarkOf(const RecordTableState& table, int number)
{
    return table.RecordTable[static_cast<std::size_t>(table.rowOfRecord(number))][RecordField::MarkState];
}

TEST(PowerCut, DISABLED_Before)
{
    const QString folder = TestArgument("lists");
    const QString marks = TestArgument("marks");
    ASSERT_FALSE(folder.isEmpty() || marks.isEmpty()) << "run by usb_rig/run-power-cut-test.sh";
    AppRig r(true, Records, nullptr, folder);
    r.load();
    r.getMemory();
    r.tickUntilQuiet();
    ASSERT_EQ(r.state().records.table().RecordCount, Records);
    std::FILE* said = std::fopen(QFile::encodeName(marks).constData(), "a");
    ASSERT_NE(said, nullptr);
    // View row, and the clicks that give its mark.
    const std::pair<int, int> clicks[] = {{0, 1}, {3, 2}, {5, 1}, {8, 2}, {13, 1}};
    for (auto [offset, times] : clicks) {
        const int row = ResultsView::FirstDataRow + offset;
        for (int i = 0; i < times; ++i)
            r.clickLine(row);
        // Shown on the window, and handed to the writer's thread, which has it
        // on the disk a sync later: the host may cut the power from then on.
        ASSERT_TRUE(r.app->keeper().waitUntilWritten(60000));
        std::fprintf(said, "%d %d\n", std::stoi(r.seqAt(row)), times);
        std::fflush(said);
    }
    std::this_thread::sleep_for(std::chrono::minutes(10));
}

TEST(PowerCut, DISABLED_After)
{
    const QString folder = TestArgument("lists");
    QFile said(TestArgument("marks"));
    ASSERT_TRUE(said.open(QIODevice::ReadOnly)) << "run by usb_rig/run-power-cut-test.sh";
    std::map<int, int> shown;
    for (const QByteArray& line : said.readAll().split('\n'))
        if (const auto words = line.split(' '); words.size() == 2)
            shown[words[0].toInt()] = words[1].toInt();
    ASSERT_EQ(shown.size(), 5u);

    AppRig r(true, Records, nullptr, folder);
    r.load();
    const QString told = r.app->window().operatorLine().toldText();
    EXPECT_TRUE(told.startsWith("The list downloaded ")) << told.toStdString();
    r.app->window().listAction(MainWindow::ListAction::BringBack).trigger();
    ASSERT_EQ(r.state().records.table().RecordCount, Records);
    for (auto [record, mark] : shown)
        EXPECT_EQ(MarkOf(r.state().records.table(), record), mark) << "record " << record;
    std::printf("after the power cut: %zu marks back, %d records\n", shown.size(), r.state().records.table().RecordCount);
}

} // namespace
