#include "export/export_dialog.h"
#include "export/export_run.h"
#include "export/folder_list.h"
#include "support/zip_entries.h"
#include "support/app_rig.h"
#include "support/export_rig.h"
#include "support/record_fill.h"
#include "support/scripted_prompt.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include "export/file_system_lists.h"

#include <QMessageBox>
#include <QProcess>
#include <QWindow>

namespace {

TEST(ExportDialog, WritesTheFileAndHides)
{
    DialogRig r;
    EXPECT_EQ(r.dialog.fileName().text(), "TrivexData.txt");
    r.button("Save1")->click();
    EXPECT_TRUE(r.prompt.messages.isEmpty());
    EXPECT_FALSE(r.dialog.isVisible());
    const QByteArray bytes = ReadAll(r.target("TrivexData.txt"));
    EXPECT_TRUE(bytes.startsWith("         \r\nTrivexData.txt    Date  =  12-08-2026    Time  =  09:05:07     Unit = "));
    EXPECT_EQ(bytes.count("\r\n"), 8 + 3);
}

TEST(ExportDialog, ClickThenTypedNameIsHonoured)
{
    DialogRig r;
    WriteText(r.target("old.txt"), "old");
    r.dialog.rereadFiles();
    r.clickFile("old.txt");
    EXPECT_EQ(r.dialog.fileName().text(), "old.txt");
    r.writeAs("new.txt");
    EXPECT_TRUE(r.prompt.questions.isEmpty());
    EXPECT_EQ(ReadAll(r.target("old.txt")), "old");
    EXPECT_TRUE(QFile::exists(r.target("new.txt")));
}

TEST(ExportDialog, DoubleClickAsksAndCancelKeepsFileAndDialog)
{
    DialogRig r;
    WriteText(r.target("race.txt"), "earlier");
    r.dialog.rereadFiles();
    r.prompt.answers = {false};
    r.clickFile("race.txt", true);
    EXPECT_EQ(r.prompt.questions, QStringList{"File Already Exists, Do You Wish To Continue?"});
    EXPECT_EQ(ReadAll(r.target("race.txt")), "earlier");
    EXPECT_TRUE(r.dialog.isVisible());
    EXPECT_TRUE(r.prompt.messages.isEmpty());

    r.prompt.answers = {true};
    r.button("Save1")->click();
    EXPECT_EQ(r.prompt.questions.size(), 2);
    EXPECT_NE(ReadAll(r.target("race.txt")), "earlier");
    EXPECT_FALSE(r.dialog.isVisible());
}

TEST(ExportDialog, AHiddenOrUnlistedFileIsNotReplacedWithoutAsking)
{
    DialogRig r;
    const QString hidden = MakeHiddenFile(r.dir.path(), "hidden");
    r.dialog.rereadFiles();
    EXPECT_EQ(r.listed(hidden), nullptr);
    WriteText(r.target("late.txt"), "written after the list was read");
    for (const QString& name : {hidden, QStringLiteral("late.txt")}) {
        r.prompt.answers = {false};
        r.writeAs(name);
        EXPECT_EQ(r.prompt.questions.size(), 1) << name.toStdString();
        r.prompt.questions.clear();
    }
    EXPECT_EQ(ReadAll(r.target(hidden)), "hidden");
    EXPECT_EQ(ReadAll(r.target("late.txt")), "written after the list was read");
}

TEST(ExportDialog, FailuresSayErrorWritingFileAndKeepEverything)
{
    DialogRig r;
    ASSERT_TRUE(QDir(r.dir.path()).mkdir("folder"));
    for (const char* name : {"", "folder", "missing/dir/file.txt"}) {
        r.prompt.messages.clear();
        r.writeAs(name);
        EXPECT_EQ(r.prompt.messages, QStringList{"Error Writing File"}) << name;
        EXPECT_TRUE(r.dialog.isVisible()) << name;
        EXPECT_EQ(r.dialog.fileName().text(), name);
    }
    EXPECT_TRUE(QFileInfo(r.target("folder")).isDir());
    // No temporary file was left behind.
    EXPECT_TRUE(QDir(r.dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty());
}

TEST(ExportDialog, TheQuestionNamesTheFile)
{
    DialogRig r;
    WriteText(r.target("heat2.txt"), "x");
    r.dialog.rereadFiles();
    r.prompt.answers = {false};
    r.writeAs("heat2.txt");
    ASSERT_EQ(r.prompt.details.size(), 1);
    EXPECT_TRUE(r.prompt.details[0].contains("heat2.txt"));
    EXPECT_TRUE(r.prompt.details[0].contains(QDir::toNativeSeparators(r.dir.path())));
}

// A temporary file left by an export that was killed is gone after the next
// export to that folder, however new; one that another export is writing
// (a second copy of the program) is not.
TEST(ExportDialog, TheNextExportRemovesWhatAKilledOneLeft)
{
    DialogRig r;
    const QString leftover = r.target(ExportTemporaryName("Ab12Cd00"));
    const QString writing = r.target(ExportTemporaryName("Zz99Yy00"));
    for (const QString& path : {leftover, writing})
        WriteText(path, "half a list");
    const HeldAsByAnExport other(writing);
    ASSERT_TRUE(other.held());
    r.writeAs("heat.txt");
    EXPECT_TRUE(r.prompt.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(leftover));
    EXPECT_TRUE(QFile::exists(writing));
}

// The folder shown is removed with its parent while the dialog is open: the
// dialog climbs to the nearest folder that is there, says so, and the next
// "Write" writes there.
TEST(ExportDialog, AFolderThatVanishedClimbsToTheNearestThatIsThere)
{
    DialogRig r;
    const QString deep = r.dir.filePath("race/heat/final");
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_TRUE(r.dialog.folders().setPath(deep));
    ASSERT_TRUE(QDir(r.dir.filePath("race")).removeRecursively());
    r.writeAs("heat.txt");
    ASSERT_EQ(r.prompt.messages.size(), 1);
    EXPECT_TRUE(r.prompt.messages[0].contains("no longer there")) << r.prompt.messages[0].toStdString();
    EXPECT_EQ(QDir(r.dialog.folders().path()), QDir(r.dir.path()));
    r.writeAs("heat.txt");
    EXPECT_EQ(r.prompt.messages.size(), 1);
    EXPECT_TRUE(QFile::exists(r.target("heat.txt")));
}

TEST(ExportDialog, TheKeyboardChoosesAFileEscapeCancelsEnterWrites)
{
    DialogRig r;
    WriteText(r.target("a.txt"), "a");
    WriteText(r.target("b.txt"), "b");
    r.dialog.rereadFiles();
    r.dialog.files().setFocus();
    r.dialog.files().setCurrentRow(0);
    QTest::keyClick(&r.dialog.files(), Qt::Key_Down);
    EXPECT_EQ(r.dialog.fileName().text(), "b.txt");
    // Reading the list again keeps what was typed.
    r.dialog.fileName().setText("typed.txt");
    r.dialog.rereadFiles();
    EXPECT_EQ(r.dialog.fileName().text(), "typed.txt");

    QTest::keyClick(&r.dialog.fileName(), Qt::Key_Escape);
    EXPECT_FALSE(r.dialog.isVisible());
    r.dialog.open();
    QTest::keyClick(&r.dialog.fileName(), Qt::Key_Return);
    EXPECT_FALSE(r.dialog.isVisible());
    EXPECT_TRUE(QFile::exists(r.target("typed.txt")));

    // Enter on a focused button presses it: "Cancel" cancels, "Write" writes.
    r.dialog.open();
    QTest::keyClick(r.button("Exit1"), Qt::Key_Return);
    EXPECT_FALSE(r.dialog.isVisible());
    r.dialog.open();
    r.dialog.fileName().setText("enter.txt");
    QTest::keyClick(r.button("Save1"), Qt::Key_Enter);
    EXPECT_FALSE(r.dialog.isVisible());
    EXPECT_TRUE(QFile::exists(r.target("enter.txt")));
}

// The keyboard's way through the dialog: the file list taking the focus,
// being read again, or moved through by letters, never changes the name;
// Space, Enter and the arrow keys on a name pick it.
TEST(ExportDialog, ATypedNameStaysUntilTheOperatorPicksAnother)
{
    DialogRig r;
    WriteText(r.target("heat1.txt"), "earlier heat");
    WriteText(r.target("heat2.txt"), "later heat");
    r.dialog.rereadFiles();
    QApplication::setActiveWindow(&r.dialog);
    auto tab = [](bool back = false) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    };
    ASSERT_EQ(QApplication::focusWidget(), &r.dialog.fileName());
    QTest::keyClicks(&r.dialog.fileName(), "final.txt");
    tab();
    tab();
    tab();
    ASSERT_EQ(QApplication::focusWidget(), &r.dialog.files());
    EXPECT_EQ(r.dialog.fileName().text(), "final.txt") << "the list took the focus";
    QTest::keyClicks(&r.dialog.files(), "h");
    r.dialog.rereadFolders();
    EXPECT_EQ(r.dialog.fileName().text(), "final.txt") << "a letter, or the list read again";
    tab();
    tab();
    tab();
    tab();
    ASSERT_EQ(QApplication::focusWidget(), r.button("Save1"));
    QTest::keyClick(r.button("Save1"), Qt::Key_Space);
    EXPECT_TRUE(r.prompt.questions.isEmpty());
    EXPECT_TRUE(QFile::exists(r.target("final.txt")));
    EXPECT_EQ(ReadAll(r.target("heat1.txt")), "earlier heat");

    const struct {
        Qt::Key key;
        const char* picked;
    } picks[] = {{Qt::Key_Space, "heat1.txt"}, {Qt::Key_Down, "heat2.txt"}, {Qt::Key_Up, "heat1.txt"},
                 {Qt::Key_Home, "final.txt"}, {Qt::Key_End, "heat2.txt"}, {Qt::Key_Return, "heat2.txt"}};
    r.dialog.open();
    r.dialog.files().setFocus();
    r.dialog.files().setCurrentRow(1);
    for (const auto& pick : picks) {
        r.dialog.fileName().setText("typed.txt");
        QTest::keyClick(&r.dialog.files(), pick.key);
        EXPECT_EQ(r.dialog.fileName().text(), pick.picked) << QTest::toString(pick.key);
    }
}

TEST(ExportDialog, ANameEndingInCsvOrXlsxIsWrittenAsASpreadsheet)
{
    DialogRig r;
    EXPECT_TRUE(r.dialog.fileName().toolTip().contains(".csv"));
    for (const QString& name : {QStringLiteral("results.csv"), QStringLiteral("RESULTS2.CSV")}) {
        r.dialog.open();
        r.writeAs(name);
        const QByteArray bytes = ReadAll(r.target(name));
        EXPECT_TRUE(bytes.startsWith("Row,Seq,Bib,Mark,")) << name.toStdString();
        EXPECT_EQ(bytes.count("\r\n"), 1 + 3) << name.toStdString();
    }
    r.dialog.open();
    r.writeAs("results.xlsx");
    const auto sheet = ZipEntries(ReadAll(r.target("results.xlsx"))).value("xl/worksheets/sheet1.xml");
    EXPECT_EQ(sheet.count("<row "), 1 + 3) << "a workbook, its header and its three rows";
    r.dialog.open();
    r.writeAs("results.csv.txt");
    EXPECT_TRUE(ReadAll(r.target("results.csv.txt")).startsWith("         \r\nresults.csv.txt    Date"));
}

TEST(ExportDialog, ADriveMountedLaterIsOfferedAndTheChoiceStays)
{
    DialogRig r;
    QStringList mounted{QDir::rootPath(), r.dir.path()};
    r.dialog.setDriveSource([&] { return mounted; });
    const QString stick = r.dir.filePath("stick");
    ASSERT_TRUE(QDir().mkpath(stick));
    mounted << stick;
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&r.dialog, &activate);
    EXPECT_GE(r.dialog.drives().findData(stick), 0);
    EXPECT_EQ(r.dialog.drives().currentText(), QDir::toNativeSeparators(r.dir.path()));
    EXPECT_EQ(r.dialog.folders().path(), r.dir.path());
}

TEST(ExportDialog, PickingTheSameDriveAgainKeepsTheFolder)
{
    DialogRig r;
    ASSERT_TRUE(QDir(r.dir.path()).mkpath("deep/er"));
    ASSERT_TRUE(r.dialog.folders().setPath(r.dir.filePath("deep/er")));
    const int same = r.dialog.drives().findData(r.dir.path());
    emit r.dialog.drives().activated(same);
    EXPECT_EQ(r.dialog.folders().path(), r.dir.filePath("deep/er"));
}

TEST(ExportDialog, AnUnreadableDriveFallsBackSilently)
{
    DialogRig r;
    const QString gone = r.dir.filePath("removed-medium");
    r.dialog.setDrives({QDir::rootPath(), r.dir.path(), gone});
    const int index = r.dialog.drives().findData(gone);
    ASSERT_GE(index, 0);
    r.dialog.drives().setCurrentIndex(index);
    emit r.dialog.drives().activated(index);
    EXPECT_EQ(r.dialog.folders().path(), r.dir.path());
    EXPECT_EQ(r.dialog.drives().currentData().toString(), r.dir.path());
    EXPECT_TRUE(r.prompt.messages.isEmpty());

    const int root = r.dialog.drives().findData(QDir::rootPath());
    emit r.dialog.drives().activated(root);
    EXPECT_EQ(r.dialog.folders().path(), QDir::rootPath());
}

TEST(ExportDialog, FolderListMovesTheFileList)
{
    DialogRig r;
    ASSERT_TRUE(QDir(r.dir.path()).mkpath("sub"));
    WriteText(r.dir.filePath("sub/inside.txt"), "x");
    r.dialog.rereadFolders();
    const auto items = r.dialog.folders().findItems("sub", Qt::MatchEndsWith);
    ASSERT_EQ(items.size(), 1);
    emit r.dialog.folders().itemActivated(items.first());
    EXPECT_EQ(r.dialog.folders().path(), r.dir.filePath("sub"));
    EXPECT_NE(r.listed("inside.txt"), nullptr);
    // Back up through the chain of parent folders.
    emit r.dialog.folders().itemActivated(r.dialog.folders().item(0));
    EXPECT_EQ(r.dialog.folders().path(), QDir::rootPath());
}

TEST(ExportDialog, AFolderThatCannotBeListedIsReported)
{
    DialogRig r;
    ASSERT_TRUE(QDir(r.dir.path()).mkpath("doomed"));
    r.dialog.rereadFolders();
    const auto items = r.dialog.folders().findItems("doomed", Qt::MatchEndsWith);
    ASSERT_EQ(items.size(), 1);
    ASSERT_TRUE(QDir(r.dir.filePath("doomed")).removeRecursively());
    emit r.dialog.folders().itemActivated(items.first());
    ASSERT_EQ(r.prompt.messages.size(), 1);
    EXPECT_TRUE(r.prompt.messages.first().contains("cannot be opened"));
    EXPECT_EQ(r.dialog.folders().path(), r.dir.path());
    EXPECT_TRUE(r.dialog.isVisible());
}

TEST(ExportDialog, Geometry)
{
    DialogRig r;
    struct Control {
        const char* name;
        int left, top, width, height;
    };
    const Control controls[] = {
        {"Text4", 420, 3660, 4575, 315}, {"Drive1", 2820, 2880, 2175, 315}, {"Dir1", 420, 360, 2115, 2790},
        {"File1", 2820, 360, 2175, 2235}, {"Exit1", 3000, 4200, 1995, 495}, {"Save1", 480, 4200, 2115, 495},
        {"Label4", 2040, 3360, 1395, 255},
    };
    const double k = 1440.0 / r.dialog.logicalDpiX();
    for (const Control& c : controls) {
        auto* w = r.dialog.findChild<QWidget*>(c.name);
        ASSERT_NE(w, nullptr) << c.name;
        const QRect g = w->geometry();
        EXPECT_EQ(std::lround(g.x() * k), c.left) << c.name;
        EXPECT_EQ(std::lround(g.y() * k), c.top) << c.name;
        EXPECT_EQ(std::lround(g.width() * k), c.width) << c.name;
        EXPECT_EQ(std::lround(g.height() * k), c.height) << c.name;
    }
    EXPECT_TRUE(r.dialog.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(r.dialog.isModal());
    EXPECT_EQ(r.button("Save1")->text(), "Write");
    EXPECT_EQ(r.button("Exit1")->text(), "Cancel");
    // A focused button answers Enter; with the focus elsewhere neither is the default.
    r.dialog.fileName().setFocus();
    EXPECT_FALSE(r.button("Save1")->isDefault());
    EXPECT_FALSE(r.button("Exit1")->isDefault());
}

TEST(ExportDialog, TabOrderFromWriteAndTheFocusInTheName)
{
    DialogRig r;
    ASSERT_NE(r.dialog.focusWidget(), nullptr);
    EXPECT_EQ(r.dialog.focusWidget()->objectName(), "Text4");
    const char* order[] = {"Save1", "Exit1", "File1", "Dir1", "Drive1", "Text4"};
    QWidget* current = r.button("Save1");
    for (std::size_t i = 1; i < std::size(order); ++i) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus)
            current = current->nextInFocusChain();
        EXPECT_EQ(current->objectName(), order[i]);
    }
}

// The dialog belongs to the main window, so the window manager keeps it
// above it. Each time it opens, the focus is in the name box, whatever was
// pressed last time, and a cancel says that nothing was written.
TEST(WriteFileButton, TheDialogBelongsToTheMainWindowAndOpensWithTheFocusInTheName)
{
    ScriptedPrompt prompt;
    AppRig r(true, 5, &prompt);
    r.load();
    r.app->window().show();
    r.click(AppRig::Button::WriteFile);
    ExportDialog* dialog = r.app->exportDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->parentWidget(), &r.app->window());
    EXPECT_TRUE(dialog->isWindow());
    EXPECT_FALSE(dialog->isModal());
    ASSERT_NE(dialog->windowHandle(), nullptr);
    EXPECT_EQ(dialog->windowHandle()->transientParent(), r.app->window().windowHandle());

    QTemporaryDir dir;
    ASSERT_TRUE(dialog->folders().setPath(dir.path()));
    dialog->fileName().setText("first.txt");
    dialog->findChild<QPushButton*>("Save1")->click();
    ASSERT_TRUE(QFile::exists(dir.filePath("first.txt")));
    const struct {
        const char* what;
        std::function<void()> cancel;
    } cancels[] = {
        {"Cancel clicked", [&] { dialog->findChild<QPushButton*>("Exit1")->click(); }},
        {"Escape", [&] { QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape); }},
        {"the replacing declined", [&] {
             prompt.answers = {false};
             dialog->fileName().setText("first.txt");
             QTest::keyClick(&dialog->fileName(), Qt::Key_Return);
             EXPECT_TRUE(dialog->isVisible());
             EXPECT_EQ(dialog->focusWidget(), &dialog->fileName()) << "back in the name box";
             QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
         }},
    };
    for (const auto& c : cancels) {
        r.click(AppRig::Button::WriteFile);
        EXPECT_EQ(dialog->focusWidget(), &dialog->fileName()) << c.what;
        c.cancel();
        EXPECT_FALSE(dialog->isVisible()) << c.what;
        EXPECT_EQ(r.app->window().operatorLine().toldText(), "Nothing was written: the export was cancelled.")
            << c.what;
    }
    // Enter in the name box writes, whatever was pressed before.
    r.click(AppRig::Button::WriteFile);
    dialog->fileName().setText("second.txt");
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(QFile::exists(dir.filePath("second.txt")));
}

TEST(MessageBoxes, BelongToTheMainWindowAndANoticeDoesNotWait)
{
    QWidget window;
    MessageBoxPrompt boxes(&window);
    boxes.inform("The unit is plugged in but cannot be opened.");
    const auto shown = window.findChildren<QMessageBox*>();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0]->isVisible());
    EXPECT_EQ(shown[0]->windowModality(), Qt::NonModal);
    EXPECT_EQ(shown[0]->windowTitle(), "Trivex Timing Interface");
    shown[0]->close();
}

// Through the main window: "Write File" opens one dialog that keeps its state.
TEST(WriteFileButton, OpensTheSameDialogWithItsState)
{
    ScriptedPrompt prompt;
    AppRig r(true, 5, &prompt);
    r.load();
    r.click(AppRig::Button::WriteFile);
    ExportDialog* first = r.app->exportDialog();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    QTemporaryDir dir;
    ASSERT_TRUE(first->folders().setPath(dir.path()));
    first->fileName().setText("Heat1.txt");
    first->findChild<QPushButton*>("Exit1")->click();
    EXPECT_FALSE(first->isVisible());

    r.click(AppRig::Button::WriteFile);
    r.click(AppRig::Button::WriteFile);
    EXPECT_EQ(r.app->exportDialog(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->fileName().text(), "Heat1.txt");
    EXPECT_EQ(first->folders().path(), dir.path());
    EXPECT_EQ(first->drives().currentData().toString(), QStorageInfo(dir.path()).rootPath());

    r.getMemory();
    r.tickUntilQuiet();
    first->findChild<QPushButton*>("Save1")->click();
    EXPECT_TRUE(prompt.messages.isEmpty());
    const QByteArray bytes = ReadAll(dir.filePath("Heat1.txt"));
    // Record 5 is a manual DNF: its times go on a line of their own.
    EXPECT_EQ(bytes.count("\r\n"), 8 + 5 + 1);
    r.click(AppRig::Button::WriteFile);
    EXPECT_EQ(first->files().findItems("Heat1.txt", Qt::MatchExactly).size(), 1);
}

} // namespace
