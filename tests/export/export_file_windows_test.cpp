// The export on Windows: paths with drive letters and backslashes, hidden
// and system files, names in any characters Windows allows, and files that
// the system will not let be replaced.
#include "export/export_run.h"
#include "export/file_system_lists.h"
#include "support/export_rig.h"

#include <QComboBox>
#include <QRegularExpression>

#include <windows.h>

namespace {

const wchar_t* Wide(const QString& path) { return reinterpret_cast<const wchar_t*>(path.utf16()); }

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

TEST(ExportPath, RootAndSubfolderAsWindowsWritesThem)
{
    EXPECT_EQ(JoinExportPath("C:\\", "Race.txt"), "C:\\Race.txt");
    EXPECT_EQ(JoinExportPath("C:\\Races", "Race.txt"), "C:\\Races\\Race.txt");
    EXPECT_EQ(JoinExportPath("C:\\Races", ""), "C:\\Races\\");
}

TEST(ExportDialog, HiddenAndSystemFilesAreNotListed)
{
    DialogRig r;
    WriteText(r.target("plain.txt"), "x");
    const struct {
        const char* name;
        DWORD attributes;
    } others[] = {{"hidden.txt", FILE_ATTRIBUTE_HIDDEN},
                  {"system.txt", FILE_ATTRIBUTE_SYSTEM},
                  {"both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}};
    for (const auto& other : others) {
        const QString path = QDir::toNativeSeparators(r.target(other.name));
        WriteText(path, "x");
        ASSERT_TRUE(SetFileAttributesW(Wide(path), other.attributes)) << other.name;
    }
    ASSERT_TRUE(QDir(r.dir.path()).mkdir("folder.txt"));
    r.dialog.rereadFiles();
    ASSERT_EQ(r.dialog.files().count(), 1);
    EXPECT_EQ(r.dialog.files().item(0)->text(), "plain.txt");
}

TEST(ExportDialog, TheDrivesAreTheComputersLettersShownAsWindowsWritesThem)
{
    const QStringList drives = MountedDrives();
    EXPECT_TRUE(drives.contains("C:/")) << drives.join(' ').toStdString();
    for (const QString& drive : drives)
        EXPECT_TRUE(QRegularExpression("^[A-Z]:/$").match(drive).hasMatch()) << drive.toStdString();

    DialogRig r;
    r.dialog.setDriveSource(&MountedDrives);
    const QString drive = r.dir.path().left(2).toUpper();
    EXPECT_EQ(r.dialog.drives().currentText(), drive + "\\");
}

TEST(ExportDialog, ANameInAnyCharactersIsWrittenUnderItselfAndLineTwoIsInTheCodePage)
{
    DialogRig r;
    const QString name = QString::fromUtf8("Zieleinlauf \xc3\x84rger \xe2\x82\xac \xe6\x97\xa5\xe6\x9c\xac.txt");
    r.writeAs(name);
    EXPECT_TRUE(r.prompt.messages.isEmpty()) << r.prompt.details.join(' ').toStdString();
    EXPECT_EQ(FilesIn(r.dir.path()), QStringList{name});
    const QByteArray bytes = ReadAll(r.target(name));
    EXPECT_TRUE(bytes.startsWith("         \r\n" + name.toLocal8Bit() + "    Date  =  12-08-2026"));
    r.dialog.open();
    EXPECT_NE(r.listed(name), nullptr);
}

TEST(ExportDialog, AReadOnlyFileIsNotReplacedAndTheSystemSaysWhy)
{
    DialogRig r;
    const QString path = QDir::toNativeSeparators(r.target("locked.txt"));
    WriteText(path, "earlier");
    ASSERT_TRUE(SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_READONLY));
    r.dialog.rereadFiles();
    r.prompt.answers = {true};
    r.writeAs("locked.txt");
    EXPECT_EQ(r.prompt.messages, QStringList{"Error Writing File"});
    ASSERT_FALSE(r.prompt.details.isEmpty());
    EXPECT_TRUE(r.prompt.details.last().contains("could not be written: ")) << r.prompt.details.last().toStdString();
    EXPECT_EQ(ReadAll(path), "earlier");
    EXPECT_EQ(FilesIn(r.dir.path()), QStringList{"locked.txt"});
    SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_NORMAL);
}

TEST(ExportDialog, AFileAnotherProgramHoldsIsAnErrorNotAHang)
{
    DialogRig r;
    const QString path = QDir::toNativeSeparators(r.target("held.txt"));
    WriteText(path, "earlier");
    const HANDLE held = CreateFileW(Wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    r.dialog.rereadFiles();
    r.prompt.answers = {true};
    r.writeAs("held.txt");
    CloseHandle(held);
    EXPECT_EQ(r.prompt.messages, QStringList{"Error Writing File"});
    EXPECT_EQ(ReadAll(path), "earlier");
    EXPECT_EQ(FilesIn(r.dir.path()), QStringList{"held.txt"});
}

// Windows does not tell names apart by letter case: a name the list shows in
// other letters is the same file, and is not replaced without asking.
TEST(ExportDialog, OtherLetterCaseIsTheSameFileAndIsNotReplacedWithoutAsking)
{
    DialogRig r;
    WriteText(r.target("RACE.TXT"), "upper");
    r.dialog.rereadFiles();
    r.prompt.answers = {false};
    r.writeAs("race.txt");
    EXPECT_EQ(r.prompt.questions, QStringList{"File Already Exists, Do You Wish To Continue?"});
    EXPECT_EQ(ReadAll(r.target("RACE.TXT")), "upper");
    r.prompt.answers = {true};
    r.writeAs("race.txt");
    EXPECT_TRUE(ReadAll(r.target("RACE.TXT")).startsWith("         \r\nrace.txt    Date  =  "));
    EXPECT_EQ(FilesIn(r.dir.path()).size(), 1);
}

} // namespace
