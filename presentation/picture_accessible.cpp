#include "presentation/picture_accessible.h"

#include "presentation/results_picture.h"

#include <QAccessibleWidget>

namespace {

// One line of the list.
class LineAccessible : public QAccessibleInterface {
public:
    LineAccessible(ResultsPicture* picture, int index) : picture_(picture), index_(index) {}

    bool isValid() const override { return picture_ && index_ < picture_->accessibleLines().size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return picture_ ? picture_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(picture_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        const QStringList lines = picture_->accessibleLines();
        return t == QAccessible::Name && index_ < lines.size() ? lines[index_] : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return picture_ ? picture_->accessibleLineRect(index_) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.focusable = true;
        s.selectable = true;
        const bool current = picture_ && picture_->accessibleCursorLine() == index_;
        s.selected = current;
        s.focused = current && picture_->hasFocus();
        return s;
    }

private:
    QPointer<ResultsPicture> picture_;
    int index_;
};

class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(ResultsPicture* picture) : QAccessibleWidget(picture, QAccessible::List) {}

    ResultsPicture* picture() const { return static_cast<ResultsPicture*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return picture()->accessibleName().isEmpty() ? ResultsPicture::tr("Records") : picture()->accessibleName();
        case QAccessible::Description: {
            const qsizetype lines = picture()->accessibleLines().size();
            return lines == 0 ? ResultsPicture::tr("No records are shown.")
                              : ResultsPicture::tr("%1 records shown. Up and Down move the line cursor; Space marks "
                                                   "its line.")
                                    .arg(lines);
        }
        default:
            return QAccessibleWidget::text(t);
        }
    }
    int childCount() const override { return static_cast<int>(picture()->accessibleLines().size()); }
    QAccessibleInterface* focusChild() const override
    {
        const int line = picture()->accessibleCursorLine();
        return line >= 0 && picture()->hasFocus() ? child(line) : nullptr;
    }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        // Registered once per line position; the text is read when asked for.
        while (lines_.size() <= index)
            lines_.push_back(QAccessible::registerAccessibleInterface(
                new LineAccessible(picture(), static_cast<int>(lines_.size()))));
        return QAccessible::accessibleInterface(lines_[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (qsizetype i = 0; i < lines_.size(); ++i)
            if (QAccessible::accessibleInterface(lines_[i]) == child)
                return static_cast<int>(i);
        return -1;
    }

private:
    mutable QList<QAccessible::Id> lines_;
};

QAccessibleInterface* PictureFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ResultsPicture") && object && object->isWidgetType())
        return new PictureAccessible(static_cast<ResultsPicture*>(object));
    return nullptr;
}

} // namespace

void InstallPictureAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&PictureFactory);
        return true;
    }();
    (void)installed;
}
