#include "operator_prompt.h"

#include "application_title.h"

#include <QMessageBox>

bool MessageBoxPrompt::confirm(const QString& question)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), question,
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    return box.exec() == QMessageBox::Ok;
}

void MessageBoxPrompt::tell(const QString& message)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), message, QMessageBox::Ok, parent_);
    box.exec();
}

void MessageBoxPrompt::inform(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), message,
                                QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
