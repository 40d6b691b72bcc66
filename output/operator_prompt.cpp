#include "operator_prompt.h"

#include <QMessageBox>

const char* const ApplicationTitle = "Trivex Timing Interface";

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
