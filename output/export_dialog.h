#pragma once

#include "format_state.h"
#include "operator_prompt.h"
#include "record_table.h"

#include <QDateTime>
#include <QFrame>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class FolderList;

// The small file-name dialog of the export: drive, folder and file lists, the
// file name and "Write" / "Cancel". It has no title bar, is never modal, and
// is hidden rather than destroyed, so its state carries over between exports.
class ExportDialog : public QFrame {
    Q_OBJECT
public:
    ExportDialog(FormatState& format, RecordStore& store, OperatorPrompt& prompt, QWidget* mainWindow,
                 std::function<QDateTime()> now = &QDateTime::currentDateTime);

    // Shows the dialog (centred the first time) and gives it the focus.
    void open();

    // The drives offered; by default the mounted file systems.
    void setDrives(const QStringList& mountPoints);

    QLineEdit& fileName() const { return *text4_; }
    QComboBox& drives() const { return *drive1_; }
    FolderList& folders() const { return *dir1_; }
    QListWidget& files() const { return *file1_; }

public slots:
    // The export itself: the "Write" button and a double click on a file.
    void Write();
    void Cancel();
    void RereadFiles();
    // Lists the folder shown afresh, or its nearest parent if it has gone.
    void RereadFolders();

protected:
    bool event(QEvent* event) override;

private:
    void DriveChanged(int index);
    void ShowDriveOf(const QString& path);
    void ReportUnlistableFolder(const QString& path);

    FormatState& format_;
    RecordStore& store_;
    OperatorPrompt& prompt_;
    QWidget* mainWindow_;
    std::function<QDateTime()> now_;
    bool shownBefore_ = false;

    QLineEdit* text4_ = nullptr;
    QComboBox* drive1_ = nullptr;
    FolderList* dir1_ = nullptr;
    QListWidget* file1_ = nullptr;
    QPushButton* exit1_ = nullptr;
    QPushButton* save1_ = nullptr;
    QLabel* label4_ = nullptr;
};
