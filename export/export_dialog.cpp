#include "export/export_dialog.h"

#include "export/export_run.h"
#include "export/export_texts.h"
#include "export/file_system_lists.h"
#include "common/focus_mark_style.h"
#include "export/folder_list.h"
#include "common/screen_centre.h"
#include "common/twips.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStandardPaths>

namespace {

constexpr int BorderTwips = 60;

} // namespace

ExportDialog::ExportDialog(FormatState& format, const RecordTableState& store, OperatorPrompt& prompt, QWidget* mainWindow,
                           std::function<QDateTime()> now)
    : QFrame(mainWindow, Qt::Dialog | Qt::FramelessWindowHint),
      format_(format), store_(store), prompt_(prompt), mainWindow_(mainWindow), now_(std::move(now))
{
    setObjectName("Form6");
    // Frameless, but window lists and task switchers still name it.
    setWindowTitle(ExportDialogText::WindowTitle());
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(TwipsToPixelsX(*this, BorderTwips) / 2);
    setFixedSize(TwipsToPixelsX(*this, 5415 + 2 * BorderTwips), TwipsToPixelsY(*this, 4935 + 2 * BorderTwips));

    auto* client = new QWidget(this);
    client->setObjectName("Form6Client");
    client->setGeometry(TwipsRect(*this, BorderTwips, BorderTwips, 5415, 4935));

    text4_ = new QLineEdit(QStringLiteral("TrivexData.txt"), client);
    text4_->setObjectName("Text4");
    text4_->setGeometry(TwipsRect(*this, 420, 3660, 4575, 315));

    drive1_ = new QComboBox(client);
    drive1_->setObjectName("Drive1");
    drive1_->setGeometry(TwipsRect(*this, 2820, 2880, 2175, 315));

    dir1_ = new FolderList(client);
    dir1_->setObjectName("Dir1");
    dir1_->setGeometry(TwipsRect(*this, 420, 360, 2115, 2790));

    file1_ = new QListWidget(client);
    file1_->setObjectName("File1");
    file1_->setGeometry(TwipsRect(*this, 2820, 360, 2175, 2235));

    cancel_ = new QPushButton(ExportDialogText::CancelCaption(), client);
    cancel_->setObjectName("Exit1");
    cancel_->setGeometry(TwipsRect(*this, 3000, 4200, 1995, 495));
    // Enter presses the focused button as Space does; neither button is the
    // default, so Enter anywhere else presses nothing.
    cancel_->setAutoDefault(true);
    cancel_->setStyle(SharedFocusMarkStyle());

    save1_ = new QPushButton(ExportDialogText::WriteCaption(), client);
    save1_->setObjectName("Save1");
    save1_->setGeometry(TwipsRect(*this, 480, 4200, 2115, 495));
    save1_->setAutoDefault(true);
    save1_->setStyle(SharedFocusMarkStyle());

    label4_ = new QLabel(ExportDialogText::FileNameCaption(), client);
    label4_->setObjectName("Label4");
    label4_->setGeometry(TwipsRect(*this, 2040, 3360, 1395, 255));
    QFont courier(QStringLiteral("Courier"), 12, QFont::Bold);
    courier.setStyleHint(QFont::TypeWriter);
    label4_->setFont(courier);
    QPalette black = label4_->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    label4_->setPalette(black);

    label4_->setBuddy(text4_);
    setAccessibleName(ExportDialogText::DialogName());
    setAccessibleDescription(ExportDialogText::DialogDescription());
    text4_->setAccessibleName(ExportDialogText::NameBoxName());
    text4_->setToolTip(ExportDialogText::NameBoxTip());
    drive1_->setAccessibleName(ExportDialogText::DriveListName());
    dir1_->setAccessibleName(ExportDialogText::FolderListName());
    dir1_->setAccessibleDescription(ExportDialogText::FolderListDescription());
    file1_->setAccessibleName(ExportDialogText::FileListName());

    setTabOrder(save1_, cancel_);
    setTabOrder(cancel_, file1_);
    setTabOrder(file1_, dir1_);
    setTabOrder(dir1_, drive1_);
    setTabOrder(drive1_, text4_);

    connect(dir1_, &FolderList::pathChanged, this, &ExportDialog::rereadFiles);
    connect(dir1_, &FolderList::folderUnavailable, this, &ExportDialog::reportUnlistableFolder);
    // Only a file the operator picks gives its name: a click, Enter, Space or
    // a move of the keyboard (see eventFilter). The list taking the focus or
    // being read again makes an entry current and must leave a typed name be.
    connect(file1_, &QListWidget::itemClicked, this, &ExportDialog::pickFile);
    connect(file1_, &QListWidget::itemActivated, this, &ExportDialog::pickFile);
    connect(file1_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item && movingByKey_)
            pickFile(item);
    });
    file1_->installEventFilter(this);
    connect(file1_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        pickFile(item);
        write();
    });
    connect(save1_, &QPushButton::clicked, this, &ExportDialog::write);
    connect(cancel_, &QPushButton::clicked, this, &ExportDialog::cancel);
    connect(text4_, &QLineEdit::returnPressed, this, &ExportDialog::write);

    drives_ = &MountedDrives;
    rereadDrives();
    // The current folder, but not the program's own: started from the Start
    // menu, Windows makes that the current one, and the list would go in
    // beside the program's libraries. Then the user's documents.
    const bool besideProgram = QDir(QDir::currentPath()) == QDir(QCoreApplication::applicationDirPath());
    if ((besideProgram || !dir1_->setPath(QDir::currentPath()))
        && !dir1_->setPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        && !dir1_->setPath(QDir::homePath()))
        dir1_->setPath(QDir::rootPath());
    showDriveOf(dir1_->path());
    connect(drive1_, &QComboBox::activated, this, &ExportDialog::driveChanged);
}

void ExportDialog::setDriveSource(std::function<QStringList()> source)
{
    drives_ = std::move(source);
    rereadDrives();
}

void ExportDialog::setDrives(const QStringList& mountPoints)
{
    setDriveSource([mountPoints] { return mountPoints; });
}

void ExportDialog::rereadDrives()
{
    QStringList sorted = drives_();
    sorted.sort();
    sorted.removeDuplicates();
    if (sorted == driveList_)
        return;
    driveList_ = sorted;
    const QSignalBlocker quiet(drive1_);
    drive1_->clear();
    // Shown as the system writes them, kept as the folder paths they are.
    for (const QString& root : sorted)
        drive1_->addItem(QDir::toNativeSeparators(root), root);
    showDriveOf(dir1_->path());
}

void ExportDialog::showDriveOf(const QString& path)
{
    // The drive of a path: the mount point that is its longest leading part.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drive1_->count(); ++i) {
        const QString root = drive1_->itemData(i).toString();
        const bool under = path == root || path.startsWith(root.endsWith('/') ? root : root + '/');
        if (under && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker quiet(drive1_);
    drive1_->setCurrentIndex(best);
    driveOf_ = drive1_->itemData(best).toString();
}

void ExportDialog::driveChanged(int index)
{
    // The drive already chosen, picked again: the folder stays.
    if (index < 0 || drive1_->itemData(index).toString() == driveOf_)
        return;
    // A drive that cannot be read: back to the drive of the folder shown, silently.
    if (!dir1_->setPath(drive1_->itemData(index).toString()))
        showDriveOf(dir1_->path());
}

void ExportDialog::reportUnlistableFolder(const QString& path)
{
    prompt_.tell(ExportDialogText::FolderCannotBeOpened(QDir::toNativeSeparators(path)));
}

void ExportDialog::pickFile(QListWidgetItem* item)
{
    text4_->setText(item->text());
    picked_ = {item->text(), item->data(Qt::UserRole).toByteArray()};
}

void ExportDialog::rereadFiles()
{
    const QListWidgetItem* current = file1_->currentItem();
    const QByteArray selected = current ? current->data(Qt::UserRole).toByteArray() : QByteArray();
    // The list is being filled, not chosen from: the name field stays as it is.
    const QSignalBlocker quiet(file1_);
    file1_->clear();
    for (const ListedFile& f : PlainFilesIn(dir1_->path())) {
        auto* item = new QListWidgetItem(f.shown, file1_);
        item->setData(Qt::UserRole, f.bytes);
        // By its own name: two names that are not valid text may show alike.
        if (current && f.bytes == selected)
            file1_->setCurrentItem(item);
    }
}

QByteArray ExportDialog::nameBytes() const
{
    // A listed file whose name is not valid text is written under its own
    // name: the one the operator picked, never one that only shows alike.
    // Any other name is encoded by the export.
    const QString name = text4_->text();
    QList<QByteArray> alike;
    for (int i = 0; i < file1_->count(); ++i)
        if (file1_->item(i)->text() == name)
            alike << file1_->item(i)->data(Qt::UserRole).toByteArray();
    if (name == picked_.shown && alike.contains(picked_.bytes))
        return picked_.bytes;
    return alike.size() == 1 ? alike.first() : QByteArray();
}

void ExportDialog::open()
{
    if (!shownBefore_) {
        MoveToScreenCentre(*this);
        shownBefore_ = true;
    }
    show();
    takeFocus();
}

void ExportDialog::takeFocus()
{
    raise();
    activateWindow();
    text4_->setFocus(Qt::OtherFocusReason);
    text4_->selectAll();
}

void ExportDialog::startIn(const QString& folder)
{
    if (!folder.isEmpty() && QFileInfo(folder).isDir() && dir1_->setPath(folder))
        showDriveOf(dir1_->path());
}

void ExportDialog::rereadFolders()
{
    // Setting the path lists the files too. Up by name, not by QDir::cdUp,
    // which stops at a parent that has gone as well.
    for (QString folder = QDir::cleanPath(dir1_->path());;) {
        if (dir1_->setPath(folder))
            break;
        const QString parent = QFileInfo(folder).path();
        if (parent == folder || QDir(folder).isRoot())
            break;
        folder = parent;
    }
    showDriveOf(dir1_->path());
}

bool ExportDialog::event(QEvent* e)
{
    // Drives plugged in, files and folders written in the meantime appear
    // when the dialog comes back.
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) {
        rereadDrives();
        rereadFolders();
    }
    return QFrame::event(e);
}

bool ExportDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != file1_ || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        // The list moves on to another name: that is the operator's pick.
        const QScopedValueRollback moving(movingByKey_, true);
        static_cast<QObject*>(file1_)->event(event);
        return true;
    }
    case Qt::Key_Space:
        if (QListWidgetItem* item = file1_->currentItem())
            pickFile(item);
        return false;
    default:
        return false;
    }
}

void ExportDialog::keyPressEvent(QKeyEvent* event)
{
    // Escape, wherever the focus is in the dialog, is "Cancel".
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancel();
        return;
    }
    QFrame::keyPressEvent(event);
}

void ExportDialog::cancel()
{
    emit cancelled();
    hide();
    if (mainWindow_)
        mainWindow_->activateWindow();
}

void ExportDialog::write()
{
    if (!QFileInfo(dir1_->path()).isDir()) {
        const QString gone = QDir::toNativeSeparators(dir1_->path());
        rereadFolders();
        prompt_.tell(ExportDialogText::FolderGone(gone, QDir::toNativeSeparators(dir1_->path())));
        return;
    }
    ExportRequest request{dir1_->path(), text4_->text(), nameBytes(), {}, now_()};
    for (int i = 0; i < file1_->count(); ++i)
        request.listedNames << file1_->item(i)->text();
    const ExportOutcome outcome = RunExport(request, format_, store_, prompt_);
    const QString path = QDir::toNativeSeparators(QDir(request.folder).filePath(request.name));
    if (outcome == ExportOutcome::Failed)
        emit notWritten(path);
    if (outcome == ExportOutcome::Cancelled)
        emit cancelled();
    if (outcome != ExportOutcome::Written) {
        // The question or the message was the main window's: the operator
        // goes on in the dialog, Escape and Enter as before.
        takeFocus();
        return;
    }
    emit written(path);
    hide();
    if (mainWindow_)
        mainWindow_->activateWindow();
}
