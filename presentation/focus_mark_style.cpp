#include "presentation/focus_mark_style.h"

#include <QApplication>
#include <QPainter>
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
    static FocusMarkStyle* style = [] {
        auto* s = new FocusMarkStyle;
        s->setParent(qApp); // gone with the application
        return s;
    }();
    return style;
}
