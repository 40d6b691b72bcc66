#include "presentation/results_wiring.h"

#include "presentation/focus_scroll_bar.h"
#include "presentation/result_columns.h"
#include "presentation/results_picture.h"
#include "presentation/results_view.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QObject>

QString RowToolTip(const ResultsView& view, double yTwips)
{
    const int row = view.RowAt(yTwips);
    if (row < ResultsView::FirstDataRow)
        return {};
    const auto& texts = view.RowTexts(row);
    QString tip;
    for (std::size_t i = 0; i < texts.size() && i < ColumnTitles.size(); ++i) {
        if (!tip.isEmpty())
            tip += '\n';
        tip += QString::fromStdString(ColumnTitles[i]) + ": " + QString::fromStdString(texts[i]);
    }
    return tip;
}

namespace {

// The wheel over the list, and the paging keys while the list has the focus,
// move the scroll bar as its own arrows and trough do; its change redraws.
class ListScrolling : public QObject {
public:
    ListScrolling(QObject* parent, QScrollBar& scroll) : QObject(parent), scroll_(scroll) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel) {
            QCoreApplication::sendEvent(&scroll_, event);
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto action = ActionFor(static_cast<QKeyEvent*>(event)->key());
            if (action != QAbstractSlider::SliderNoAction) {
                scroll_.triggerAction(action);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static QAbstractSlider::SliderAction ActionFor(int key)
    {
        switch (key) {
        case Qt::Key_Up:
            return QAbstractSlider::SliderSingleStepSub;
        case Qt::Key_Down:
            return QAbstractSlider::SliderSingleStepAdd;
        case Qt::Key_PageUp:
            return QAbstractSlider::SliderPageStepSub;
        case Qt::Key_PageDown:
            return QAbstractSlider::SliderPageStepAdd;
        case Qt::Key_Home:
            return QAbstractSlider::SliderToMinimum;
        case Qt::Key_End:
            return QAbstractSlider::SliderToMaximum;
        default:
            return QAbstractSlider::SliderNoAction;
        }
    }

    QScrollBar& scroll_;
};

// What a screen reader reads of the list: each line drawn, column by column.
QStringList ShownLines(const ResultsView& view)
{
    QStringList lines;
    for (int row = ResultsView::FirstDataRow; row <= ResultsView::LastDataRow; ++row) {
        const auto& texts = view.RowTexts(row);
        QStringList parts;
        for (std::size_t i = 0; i < texts.size() && i < ColumnTitles.size(); ++i)
            parts << QString::fromStdString(ColumnTitles[i]) + " " + QString::fromStdString(texts[i]).simplified();
        if (!parts.isEmpty())
            lines << parts.join(", ");
    }
    return lines;
}

} // namespace

void ConnectResultsView(ResultsPicture& picture, FocusScrollBar& scroll, ResultsView& view)
{
    picture.installEventFilter(new ListScrolling(&picture, scroll));
    picture.setAccessibleLines([&view] { return ShownLines(view); });
    auto VScroll1_Change = [&view](int value) { view.ShowScrolledPage(value); };
    auto VScroll1_GotFocus = [&view, &scroll] { view.ShowScrolledPage(scroll.value()); };
    auto Picture1_MouseDown = [&view](double yTwips) { view.CycleMarkAt(yTwips); };
    QObject::connect(&scroll, &QScrollBar::valueChanged, &scroll, VScroll1_Change);
    QObject::connect(&scroll, &FocusScrollBar::focusReceived, &scroll, VScroll1_GotFocus);
    QObject::connect(&picture, &ResultsPicture::pressedAt, &picture, Picture1_MouseDown);
    picture.setToolTipProvider([&view](double yTwips) { return RowToolTip(view, yTwips); });
}
