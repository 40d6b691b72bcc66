#include "app/operator_news.h"

#include "app/operator_line.h"

#include <QAccessible>

void OperatorNews::show(const QString& text, const QString& path)
{
    line_.showNews(text, path);
    // Heard as it reads, not only as "News".
    line_.setAccessibleName(line_.toldText());
    // Read out as it changes, as a live region is.
    QAccessibleEvent changed(&line_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    emit shown(line_.toldText());
}
