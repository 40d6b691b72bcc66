#include "common/focus_mark_style.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

FocusMarkStyle::FocusMarkStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void FocusMarkStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus))
        return;
    painter->save();
    painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(option->rect).adjusted(2, 2, -2, -2));
    painter->restore();
}

FocusMarkStyle* SharedFocusMarkStyle()
{
    // The application owns it; a guarded pointer, so that a later
    // application gets a style of its own rather than a dangling one.
    static QPointer<FocusMarkStyle> style;
    if (!style) {
        style = new FocusMarkStyle;
        style->setParent(qApp);
    }
    return style;
}
