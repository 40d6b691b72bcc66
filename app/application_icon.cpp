#include "app/application_icon.h"

#include <QDirIterator>

QIcon ApplicationIcon()
{
    QIcon icon;
    for (QDirIterator it(QStringLiteral(":/icons"), {QStringLiteral("trivex.png")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        icon.addFile(it.next());
    return icon;
}
