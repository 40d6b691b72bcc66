#include "export/folder_list.h"

#include <QDir>
#include <QFileInfo>

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString target = item->data(Qt::UserRole).toString();
        if (target != path_ && !setPath(target))
            emit folderUnavailable(target);
    });
}

bool FolderList::setPath(const QString& path)
{
    const QFileInfo info(path);
    QDir dir(info.absoluteFilePath());
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    const QString clean = QDir::cleanPath(dir.absolutePath());

    clear();
    QStringList chain;
    for (QDir up(clean);; ) {
        chain.prepend(up.absolutePath());
        if (up.isRoot() || !up.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name = depth == 0 ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, ' ') + name, this);
        item->setData(Qt::UserRole, folder);
        ++depth;
    }
    setCurrentRow(count() - 1);
    for (const QString& sub : subfolders) {
        auto* item = new QListWidgetItem(QString(depth * 2, ' ') + sub, this);
        item->setData(Qt::UserRole, dir.filePath(sub));
    }
    path_ = clean;
    emit pathChanged(path_);
    return true;
}
