#pragma once

#include "presentation/format_state.h"
#include "common/operator_prompt.h"
#include "records/record_table.h"

#include <QDateTime>
#include <QFrame>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class FolderList;

// The small file-name dialog of the export: drive, folder and file lists, the
// file name and "Write" / "Cancel". It has no title bar and is never modal,
// but it belongs to the main window, so it stays above it. It is hidden
// rather than destroyed, so its state carries over between exports.
class ExportDialog : public QFrame {
    Q_OBJECT
public:
    ExportDialog(FormatState& format, const RecordTableState& store, OperatorPrompt& prompt, QWidget* mainWindow,
                 std::function<QDateTime()> now = &QDateTime::currentDateTime);

    // Shows the dialog (centred the first time) with the focus in the name
    // box, so Enter writes and Escape cancels whatever was pressed last time.
    void open();
    // Lists this folder when it is there; the dialog starts in the current
    // folder, or in the user's documents when that is the program's own.
    void startIn(const QString& folder);

    // Where the drives offered come from, read again whenever the dialog
    // comes up; by default the mounted file systems.
    void setDriveSource(std::function<QStringList()> source);
    // A fixed list of drives.
    void setDrives(const QStringList& mountPoints);
    void rereadDrives();

    QLineEdit& fileName() const { return *text4_; }
    QComboBox& drives() const { return *drive1_; }
    FolderList& folders() const { return *dir1_; }
    QListWidget& files() const { return *file1_; }

public slots:
    // The export itself: the "Write" button and a double click on a file.
    void write();
    void cancel();
    void rereadFiles();
    // Lists the folder shown afresh, or its nearest parent if it has gone.
    void rereadFolders();

signals:
    // The list was written to this file (the full path, as the system writes it).
    void written(const QString& path);
    // Writing to this file failed; the operator has been told why.
    void notWritten(const QString& path);
    // The operator cancelled: the dialog, or the question whether to replace a file.
    void cancelled();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void driveChanged(int index);
    // The operator picked a file of the list: its name goes to the name field.
    void pickFile(QListWidgetItem* item);
    // The name field's text as the file system has it.
    QByteArray nameBytes() const;
    void showDriveOf(const QString& path);
    void reportUnlistableFolder(const QString& path);
    void takeFocus();

    FormatState& format_;
    const RecordTableState& store_;
    OperatorPrompt& prompt_;
    QWidget* mainWindow_;
    std::function<QDateTime()> now_;
    std::function<QStringList()> drives_;
    bool shownBefore_ = false;
    // Set while a key moves the file list's current entry.
    bool movingByKey_ = false;
    // The drive the folder shown lies on.
    QString driveOf_;
    QStringList driveList_;

    // The file the operator picked last: shown as, and its name as the file system has it.
    struct Picked {
        QString shown;
        QByteArray bytes;
    } picked_;

    QLineEdit* text4_ = nullptr;
    QComboBox* drive1_ = nullptr;
    FolderList* dir1_ = nullptr;
    QListWidget* file1_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* save1_ = nullptr;
    QLabel* label4_ = nullptr;
};
