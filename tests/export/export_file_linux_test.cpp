// The export on Linux file systems: special files, folders that take no new
// file, names that are not valid text, drives mounted while the dialog is open.
#include "export/export_run.h"
#include "export/file_system_lists.h"
#include "support/export_rig.h"

#include <QProcess>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(ExportPath, RootAndSubfolder)
{
    EXPECT_EQ(JoinExportPath("/", "Race.txt"), "/Race.txt");
    EXPECT_EQ(JoinExportPath("/srv/races", "Race.txt"), "/srv/races/Race.txt");
    EXPECT_EQ(JoinExportPath("/srv/races", ""), "/srv/races/");
}

TEST(ExportDialog, AFileThatCannotTakeTheBytesIsAnErrorAndNothingIsLeftBehind)
{
    DialogRig r;
    ASSERT_EQ(::symlink("/dev/full", r.target("full.txt").toLocal8Bit().constData()), 0);
    r.writeAs("full.txt");
    EXPECT_EQ(r.prompt.messages, QStringList{"Error Writing File"});
    EXPECT_TRUE(r.dialog.isVisible());
    // Only the link; no temporary file.
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

// The same folder, full: the new list does not fit. The old file must
// survive the failed export whole, and the message must say so.
TEST(ExportDialog, AFullFolderThatTakesNoNewFileKeepsTheOldFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a small file system";
    DialogRig r;
    const QString folder = r.dir.filePath("full");
    ASSERT_TRUE(QDir().mkpath(folder));
    // Room for the folder, the old file and the filler: no inode for a temporary file.
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k,nr_inodes=3", "tmpfs", folder}) != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    WriteText(folder + "/TrivexData.txt", "earlier");
    {
        QFile filler(folder + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    // A list longer than the page the old file holds.
    FillRecords(r.store, 200);
    r.store.ReportedRecordCount = 200;
    ASSERT_TRUE(r.dialog.folders().setPath(folder));
    r.prompt.answers = {true};
    r.button("Save1")->click();
    const QByteArray bytes = ReadAll(folder + "/TrivexData.txt");
    QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    entries.sort();
    QProcess::execute("umount", {folder});
    EXPECT_EQ(bytes, "earlier");
    EXPECT_EQ(entries, (QStringList{"TrivexData.txt", "filler"}));
    EXPECT_EQ(r.prompt.messages, QStringList{"Error Writing File"});
    ASSERT_FALSE(r.prompt.details.isEmpty());
    EXPECT_TRUE(r.prompt.details.last().contains("the old file is as it was")) << r.prompt.details.last().toStdString();
}

// A small stick, as an operator's: a file system of its own, `kb` big.
struct SmallMedium {
    explicit SmallMedium(DialogRig& r, int kb) : folder(r.dir.filePath("stick"))
    {
        QDir().mkpath(folder);
        mounted = ::geteuid() == 0
            && QProcess::execute("mount", {"-t", "tmpfs", "-o", QStringLiteral("size=%1k").arg(kb), "tmpfs", folder}) == 0;
    }
    ~SmallMedium()
    {
        if (mounted)
            QProcess::execute("umount", {folder});
    }
    // Fills the medium up to `leaveKb` free.
    void fill(const QString& name, int leaveKb)
    {
        const int fd = ::open(QFile::encodeName(folder + "/" + name).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        const QByteArray block(1024, 'x');
        off_t size = 0;
        while (::write(fd, block.constData(), static_cast<std::size_t>(block.size())) == block.size())
            size += block.size();
        ASSERT_EQ(::ftruncate(fd, std::max<off_t>(0, size - leaveKb * 1024)), 0);
        ::close(fd);
    }
    QString folder;
    bool mounted = false;
};

// A killed export's leftover filling the stick, and another export's file
// being written there: the next export takes the leftover's room at once and
// leaves the other one's file alone.
TEST(ExportDialog, ALeftoverOfAKilledExportNeverFillsTheMedium)
{
    DialogRig r;
    SmallMedium stick(r, 256);
    if (!stick.mounted)
        GTEST_SKIP() << "needs root to mount a small file system";
    const QString writing = stick.folder + "/" + ExportTemporaryName("Zz99Yy00");
    WriteText(writing, "another copy of the program is writing this");
    const HeldAsByAnExport other(writing);
    ASSERT_TRUE(other.held());
    stick.fill(ExportTemporaryName("Ab12Cd00"), 0);
    ASSERT_TRUE(r.dialog.folders().setPath(stick.folder));
    r.writeAs("heat.txt");
    EXPECT_TRUE(r.prompt.messages.isEmpty()) << r.prompt.details.join(" ").toStdString();
    EXPECT_TRUE(ReadAll(stick.folder + "/heat.txt").startsWith("         \r\n"));
    QStringList entries = QDir(stick.folder).entryList(QDir::Files | QDir::Hidden);
    entries.sort();
    EXPECT_EQ(entries, (QStringList{ExportTemporaryName("Zz99Yy00"), "heat.txt"}));
}

// The new list does not fit beside the old file, but in the room the old
// file frees: it is written over the old one, the safe way.
TEST(ExportDialog, AReplacementThatFitsWhereTheOldFileWasIsWritten)
{
    DialogRig r;
    SmallMedium stick(r, 128);
    if (!stick.mounted)
        GTEST_SKIP() << "needs root to mount a small file system";
    FillRecords(r.store, 150);
    r.store.ReportedRecordCount = 150;
    WriteText(stick.folder + "/TrivexData.txt", QByteArray(40 * 1024, 'o'));
    stick.fill("filler", 8);
    ASSERT_TRUE(r.dialog.folders().setPath(stick.folder));
    r.prompt.answers = {true};
    r.button("Save1")->click();
    const QByteArray bytes = ReadAll(stick.folder + "/TrivexData.txt");
    EXPECT_TRUE(r.prompt.messages.isEmpty()) << r.prompt.details.join(" ").toStdString();
    EXPECT_GT(bytes.size(), 8 * 1024);
    EXPECT_TRUE(bytes.startsWith("         \r\nTrivexData.txt    Date  =  "));
    EXPECT_EQ(bytes.count("\r\n"), 8 + 150);
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

TEST(ExportDialog, ANameThatIsNoTextIsListedAndWrittenUnderItself)
{
    DialogRig r;
    const QByteArray raw = QFile::encodeName(r.dir.path()) + "/heat\xff.txt";
    const int created = ::open(raw.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(created, 0);
    ASSERT_EQ(::write(created, "old", 3), 3);
    ::close(created);
    r.dialog.rereadFiles();
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

// Two names that are not valid text and show alike: the one picked is the
// one written, the other stays as it was.
TEST(ExportDialog, OfTwoNamesThatShowAlikeThePickedOneIsWritten)
{
    DialogRig r;
    const QByteArray folder = QFile::encodeName(r.dir.path());
    for (const char* raw : {"/bad\xfe.txt", "/bad\xff.txt"}) {
        const int fd = ::open((folder + raw).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "old", 3), 3);
        ::close(fd);
    }
    r.dialog.rereadFiles();
    ASSERT_EQ(r.dialog.files().count(), 2);
    ASSERT_EQ(r.dialog.files().item(0)->text(), r.dialog.files().item(1)->text());
    const QByteArray second = r.dialog.files().item(1)->data(Qt::UserRole).toByteArray();
    const QPoint at = r.dialog.files().visualItemRect(r.dialog.files().item(1)).center();
    QTest::mouseClick(r.dialog.files().viewport(), Qt::LeftButton, Qt::NoModifier, at);
    r.dialog.rereadFiles(); // as the dialog does when it comes back
    r.prompt.answers = {true};
    r.button("Save1")->click();
    EXPECT_TRUE(r.prompt.messages.isEmpty()) << r.prompt.details.join(" ").toStdString();
    // By the bytes of the names: QFile would encode the shown name again.
    auto head = [](const QByteArray& path) {
        char bytes[11] = {};
        const int fd = ::open(path.constData(), O_RDONLY);
        const ssize_t n = fd < 0 ? 0 : ::read(fd, bytes, sizeof bytes);
        if (fd >= 0)
            ::close(fd);
        return QByteArray(bytes, static_cast<qsizetype>(std::max<ssize_t>(n, 0)));
    };
    const QByteArray first = second.endsWith("\xff.txt") ? "/bad\xfe.txt" : "/bad\xff.txt";
    EXPECT_EQ(head(folder + first), "old");
    EXPECT_EQ(head(folder + "/" + second), "         \r\n");
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
    const int index = r.dialog.drives().findData(stick);
    QProcess::execute("umount", {stick});
    EXPECT_GE(index, 0);
}

// Linux tells names apart by letter case.
TEST(ExportDialog, OtherLetterCaseIsAnotherFile)
{
    DialogRig r;
    WriteText(r.target("RACE.TXT"), "upper");
    r.dialog.rereadFiles();
    r.writeAs("race.txt");
    EXPECT_TRUE(r.prompt.questions.isEmpty());
    EXPECT_EQ(ReadAll(r.target("RACE.TXT")), "upper");
    EXPECT_TRUE(QFile::exists(r.target("race.txt")));
}

} // namespace
