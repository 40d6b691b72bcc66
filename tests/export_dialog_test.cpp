#include "output/export_dialog.h"
#include "output/export_file.h"
#include "output/folder_list.h"
#include "support/app_rig.h"
#include "support/record_fill.h"
#include "support/scripted_prompt.h"

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

#include "output/file_system_lists.h"

#include <QMessageBox>
#include <QProcess>
#include <QWindow>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteText(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The dialog on its own, with a few records and a fixed clock.
struct DialogRig {
    QTemporaryDir dir;
    FormatState format;
    RecordStore store;
    ScriptedPrompt prompt;
    QWidget mainWindow;
    ExportDialog dialog{format, store, prompt, &mainWindow,
                        [] { return QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)); }};

    DialogRig()
    {
        FillRecords(store, 3);
        store.ReportedRecordCount = 3;
        dialog.setDrives({"/", dir.path()});
        EXPECT_TRUE(dialog.folders().setPath(dir.path()));
        dialog.open();
    }
    QString target(const QString& name) const { return dir.filePath(name); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }
    // Types a name and presses "Write".
    void writeAs(const QString& name)
    {
        dialog.fileName().setText(name);
        button("Save1")->click();
    }
    // Clicks (or double-clicks) a name in the file list as the operator would.
    void clickFile(const QString& name, bool twice = false)
    {
        QListWidgetItem* item = listed(name);
        ASSERT_NE(item, nullptr) << name.toStdString();
        const QPoint at = dialog.files().visualItemRect(item).center();
        QTest::mouseClick(dialog.files().viewport(), Qt::LeftButton, Qt::NoModifier, at);
        if (twice)
            QTest::mouseDClick(dialog.files().viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    QListWidgetItem* listed(const QString& name)
    {
        const auto items = dialog.files().findItems(name, Qt::MatchExactly);
        return items.isEmpty() ? nullptr : items.first();
    }
};

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
    r.dialog.RereadFiles();
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
    r.dialog.RereadFiles();
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
    WriteText(r.target(".hidden.txt"), "hidden");
    r.dialog.RereadFiles();
    EXPECT_EQ(r.listed(".hidden.txt"), nullptr);
    WriteText(r.target("late.txt"), "written after the list was read");
    for (const char* name : {".hidden.txt", "late.txt"}) {
        r.prompt.answers = {false};
        r.writeAs(name);
        EXPECT_EQ(r.prompt.questions.size(), 1) << name;
        r.prompt.questions.clear();
    }
    EXPECT_EQ(ReadAll(r.target(".hidden.txt")), "hidden");
    EXPECT_EQ(ReadAll(r.target("late.txt")), "written after the list was read");
}

TEST(ExportDialog, OtherLetterCaseIsAnotherFile)
{
    DialogRig r;
    WriteText(r.target("RACE.TXT"), "upper");
    r.dialog.RereadFiles();
    r.writeAs("race.txt");
    EXPECT_TRUE(r.prompt.questions.isEmpty());
    EXPECT_EQ(ReadAll(r.target("RACE.TXT")), "upper");
    EXPECT_TRUE(QFile::exists(r.target("race.txt")));
}

TEST(ExportDialog, FailuresSayErrorWritingFileAndKeepEverything)
{
    DialogRig r;
    ASSERT_TRUE(QDir(r.dir.path()).mkdir("folder"));
    ASSERT_EQ(::symlink("/dev/full", r.target("full.txt").toLocal8Bit().constData()), 0);
    for (const char* name : {"", "folder", "full.txt", "missing/dir/file.txt"}) {
        r.prompt.messages.clear();
        r.writeAs(name);
        EXPECT_EQ(r.prompt.messages, QStringList{"Error Writing File"}) << name;
        EXPECT_TRUE(r.dialog.isVisible()) << name;
        EXPECT_EQ(r.dialog.fileName().text(), name);
    }
    EXPECT_TRUE(QFileInfo(r.target("folder")).isDir());
    // No temporary file was left behind.
    EXPECT_EQ(QDir(r.dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1);
}

TEST(ExportDialog, AFolderThatTakesNoFileAtAll)
{
    DialogRig r;
    // Nobody creates files in /proc, root included.
    ASSERT_TRUE(r.dialog.folders().setPath("/proc"));
    r.button("Save1")->click();
    EXPECT_EQ(r.prompt.messages, QStringList{"Error Writing File"});
    EXPECT_FALSE(QFile::exists("/proc/TrivexData.txt"));
    ASSERT_FALSE(r.prompt.details.isEmpty());
    // Says where and why.
    EXPECT_TRUE(r.prompt.details.last().contains("/proc")) << r.prompt.details.last().toStdString();
    EXPECT_TRUE(r.prompt.details.last().contains("could not be written: ")) << r.prompt.details.last().toStdString();
}

// A folder where no new file can be made, holding a file that may be written:
// the file is written in place, as the described open-and-truncate does.
TEST(ExportDialog, AWritableFileInAFolderThatTakesNoNewFile)
{
    DialogRig r;
    const QString folder = r.dir.filePath("full");
    ASSERT_TRUE(QDir().mkpath(folder));
    bool mounted = false;
    if (::geteuid() == 0) {
        // Root ignores permissions; a file system with no inode to spare refuses it too.
        mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m,nr_inodes=2", "tmpfs", folder}) == 0;
        if (!mounted)
            GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    WriteText(folder + "/TrivexData.txt", "earlier");
    if (!mounted)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_TRUE(r.dialog.folders().setPath(folder));
    r.prompt.answers = {true};
    r.button("Save1")->click();
    const QByteArray bytes = ReadAll(folder + "/TrivexData.txt");
    if (mounted)
        QProcess::execute("umount", {folder});
    else
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(r.prompt.messages.isEmpty()) << r.prompt.details.join(" ").toStdString();
    EXPECT_TRUE(bytes.startsWith("         \r\nTrivexData.txt    Date  =  "));
    EXPECT_EQ(bytes.count("\r\n"), 8 + 3);
}

TEST(ExportDialog, APipeNobodyReadsIsAnErrorNotAHang)
{
    DialogRig r;
    const QByteArray fifo = QFile::encodeName(r.target("pipe"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // Were the write to wait for a reader, the test ends here, not the program.
    ::alarm(20);
    r.prompt.answers = {true};
    r.writeAs("pipe");
    ::alarm(0);
    EXPECT_EQ(r.prompt.messages, QStringList{"Error Writing File"});
    EXPECT_TRUE(r.prompt.details.last().contains("nothing is reading")) << r.prompt.details.last().toStdString();
    EXPECT_TRUE(r.dialog.isVisible());
}

TEST(ExportDialog, TheQuestionNamesTheFile)
{
    DialogRig r;
    WriteText(r.target("heat2.txt"), "x");
    r.dialog.RereadFiles();
    r.prompt.answers = {false};
    r.writeAs("heat2.txt");
    ASSERT_EQ(r.prompt.details.size(), 1);
    EXPECT_TRUE(r.prompt.details[0].contains("heat2.txt"));
    EXPECT_TRUE(r.prompt.details[0].contains(r.dir.path()));
}

TEST(ExportDialog, ANameThatIsNoTextIsListedAndWrittenUnderItself)
{
    DialogRig r;
    const QByteArray raw = QFile::encodeName(r.dir.path()) + "/heat\xff.txt";
    const int created = ::open(raw.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(created, 0);
    ASSERT_EQ(::write(created, "old", 3), 3);
    ::close(created);
    r.dialog.RereadFiles();
    ASSERT_EQ(r.dialog.files().count(), 1);
    const QString shown = r.dialog.files().item(0)->text();
    EXPECT_EQ(shown, QString::fromUtf8("heat\xef\xbf\xbd.txt")); // U+FFFD
    r.clickFile(shown);
    r.prompt.answers = {true};
    r.button("Save1")->click();
    EXPECT_TRUE(r.prompt.messages.isEmpty());
    const int fd = ::open(raw.constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    char head[12] = {};
    ASSERT_EQ(::read(fd, head, 11), 11);
    ::close(fd);
    EXPECT_EQ(QByteArray(head, 11), "         \r\n");
    // No second file under the shown name.
    EXPECT_EQ(PlainFilesIn(r.dir.path()).size(), 1u);
}

TEST(ExportDialog, TheKeyboardChoosesAFileEscapeCancelsEnterWrites)
{
    DialogRig r;
    WriteText(r.target("a.txt"), "a");
    WriteText(r.target("b.txt"), "b");
    r.dialog.RereadFiles();
    r.dialog.files().setFocus();
    r.dialog.files().setCurrentRow(0);
    QTest::keyClick(&r.dialog.files(), Qt::Key_Down);
    EXPECT_EQ(r.dialog.fileName().text(), "b.txt");
    // Reading the list again keeps what was typed.
    r.dialog.fileName().setText("typed.txt");
    r.dialog.RereadFiles();
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

TEST(ExportDialog, ADriveMountedLaterIsOfferedAndTheChoiceStays)
{
    DialogRig r;
    QStringList mounted{"/", r.dir.path()};
    r.dialog.setDriveSource([&] { return mounted; });
    const QString stick = r.dir.filePath("stick");
    ASSERT_TRUE(QDir().mkpath(stick));
    mounted << stick;
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&r.dialog, &activate);
    EXPECT_GE(r.dialog.drives().findText(stick), 0);
    EXPECT_EQ(r.dialog.drives().currentText(), r.dir.path());
    EXPECT_EQ(r.dialog.folders().path(), r.dir.path());
}

TEST(ExportDialog, ARealFileSystemMountedAfterTheDialogWasMade)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a file system needs root";
    DialogRig r;
    r.dialog.setDriveSource(&MountedDrives);
    const QString stick = r.dir.filePath("usb-stick");
    ASSERT_TRUE(QDir().mkpath(stick));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", stick}) != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&r.dialog, &activate);
    const int index = r.dialog.drives().findText(stick);
    QProcess::execute("umount", {stick});
    EXPECT_GE(index, 0);
}

TEST(ExportDialog, PickingTheSameDriveAgainKeepsTheFolder)
{
    DialogRig r;
    ASSERT_TRUE(QDir(r.dir.path()).mkpath("deep/er"));
    ASSERT_TRUE(r.dialog.folders().setPath(r.dir.filePath("deep/er")));
    const int same = r.dialog.drives().findText(r.dir.path());
    emit r.dialog.drives().activated(same);
    EXPECT_EQ(r.dialog.folders().path(), r.dir.filePath("deep/er"));
}

TEST(ExportDialog, AnUnreadableDriveFallsBackSilently)
{
    DialogRig r;
    const QString gone = r.dir.filePath("removed-medium");
    r.dialog.setDrives({"/", r.dir.path(), gone});
    const int index = r.dialog.drives().findText(gone);
    ASSERT_GE(index, 0);
    r.dialog.drives().setCurrentIndex(index);
    emit r.dialog.drives().activated(index);
    EXPECT_EQ(r.dialog.folders().path(), r.dir.path());
    EXPECT_EQ(r.dialog.drives().currentText(), r.dir.path());
    EXPECT_TRUE(r.prompt.messages.isEmpty());

    const int root = r.dialog.drives().findText("/");
    emit r.dialog.drives().activated(root);
    EXPECT_EQ(r.dialog.folders().path(), "/");
}

TEST(ExportDialog, FolderListMovesTheFileList)
{
    DialogRig r;
    ASSERT_TRUE(QDir(r.dir.path()).mkpath("sub"));
    WriteText(r.dir.filePath("sub/inside.txt"), "x");
    r.dialog.RereadFolders();
    const auto items = r.dialog.folders().findItems("sub", Qt::MatchEndsWith);
    ASSERT_EQ(items.size(), 1);
    emit r.dialog.folders().itemActivated(items.first());
    EXPECT_EQ(r.dialog.folders().path(), r.dir.filePath("sub"));
    EXPECT_NE(r.listed("inside.txt"), nullptr);
    // Back up through the chain of parent folders.
    emit r.dialog.folders().itemActivated(r.dialog.folders().item(0));
    EXPECT_EQ(r.dialog.folders().path(), "/");
}

TEST(ExportDialog, AFolderThatCannotBeListedIsReported)
{
    DialogRig r;
    ASSERT_TRUE(QDir(r.dir.path()).mkpath("doomed"));
    r.dialog.RereadFolders();
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
    EXPECT_FALSE(r.button("Save1")->isDefault());
}

TEST(ExportDialog, TabOrderStartsOnWrite)
{
    DialogRig r;
    ASSERT_NE(r.dialog.focusWidget(), nullptr);
    EXPECT_EQ(r.dialog.focusWidget()->objectName(), "Save1");
    const char* order[] = {"Save1", "Exit1", "File1", "Dir1", "Drive1", "Text4"};
    QWidget* current = r.button("Save1");
    for (std::size_t i = 1; i < std::size(order); ++i) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus)
            current = current->nextInFocusChain();
        EXPECT_EQ(current->objectName(), order[i]);
    }
}

// The dialog belongs to the main window, so the window manager keeps it above
// it, and it keeps the operator's place when "Write File" is pressed again.
TEST(WriteFileButton, TheDialogBelongsToTheMainWindowAndKeepsTheFocusWhereItWas)
{
    ScriptedPrompt prompt;
    AppRig r(true, 5, &prompt);
    r.app->Load();
    r.app->window().show();
    r.click(AppRig::Button::WriteFile);
    ExportDialog* dialog = r.app->exportDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->parentWidget(), &r.app->window());
    EXPECT_TRUE(dialog->isWindow());
    EXPECT_FALSE(dialog->isModal());
    ASSERT_NE(dialog->windowHandle(), nullptr);
    EXPECT_EQ(dialog->windowHandle()->transientParent(), r.app->window().windowHandle());
    EXPECT_EQ(dialog->focusWidget(), dialog->findChild<QPushButton*>("Save1"));

    dialog->fileName().setFocus();
    r.click(AppRig::Button::WriteFile);
    EXPECT_EQ(dialog->focusWidget(), &dialog->fileName());
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
    r.app->Load();
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
    EXPECT_EQ(first->drives().currentText(), QStorageInfo(dir.path()).rootPath());

    r.click(AppRig::Button::GetMemory);
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
