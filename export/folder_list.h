#pragma once

#include <QListWidget>

// The folder list of the export dialog: the folders from the root down to
// the current one, then the current folder's subfolders. Activating an entry
// (double click, Enter) makes it the current folder.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    const QString& path() const { return path_; }
    // False, and nothing changes, when the folder cannot be listed.
    bool setPath(const QString& path);

signals:
    void pathChanged(const QString& path);
    // A folder the operator chose could not be listed.
    void folderUnavailable(const QString& path);

private:
    QString path_;
};
