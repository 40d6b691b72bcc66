#pragma once

// The export dialog on its own, with a few records and a fixed clock, and
// the file helpers its tests share.
#include "export/export_dialog.h"
#include "export/folder_list.h"
#include "records/record_table.h"
#include "support/record_fill.h"
#include "support/scripted_prompt.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteText(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The dialog on its own, with a few records and a fixed clock.
struct DialogRig {
    QTemporaryDir dir;
    FormatState format;
    RecordTableState store;
    ScriptedPrompt prompt;
    QWidget mainWindow;
    ExportDialog dialog{format, store, prompt, &mainWindow,
                        [] { return QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)); }};

    DialogRig()
    {
        FillRecords(store, 3);
        store.ReportedRecordCount = 3;
        dialog.setDrives({QDir::rootPath(), dir.path()});
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

// Makes a file that the system counts as hidden in `folder` and returns its name.
QString MakeHiddenFile(const QString& folder, const QByteArray& content);
// The name the file writer gives a temporary file of its own, with this tag.
QString ExportTemporaryName(const QString& tag);

// A file held open as an export holds its temporary file while it writes it.
class HeldAsByAnExport {
public:
    explicit HeldAsByAnExport(const QString& path);
    ~HeldAsByAnExport();
    HeldAsByAnExport(const HeldAsByAnExport&) = delete;
    HeldAsByAnExport& operator=(const HeldAsByAnExport&) = delete;
    bool held() const { return handle_ != -1; }

private:
    std::intptr_t handle_ = -1;
};
