#include "common/operator_prompt.h"

#include "common/application_title.h"

#include <QMessageBox>

namespace {

int Ask(QWidget* parent, const QString& text, const QString& detail, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), text, buttons, parent);
    box.setInformativeText(detail);
    return box.exec();
}

} // namespace

bool MessageBoxPrompt::confirm(const QString& question, const QString& detail)
{
    return Ask(parent_, question, detail, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void MessageBoxPrompt::tell(const QString& message, const QString& detail)
{
    Ask(parent_, message, detail, QMessageBox::Ok);
}

void MessageBoxPrompt::inform(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), message,
                                QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
