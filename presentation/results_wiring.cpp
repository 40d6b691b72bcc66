#include "results_wiring.h"

#include "focus_scroll_bar.h"
#include "result_columns.h"
#include "results_picture.h"
#include "results_view.h"

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

void ConnectResultsView(ResultsPicture& picture, FocusScrollBar& scroll, ResultsView& view)
{
    auto VScroll1_Change = [&view](int value) { view.ShowScrolledPage(value); };
    auto VScroll1_GotFocus = [&view, &scroll] { view.ShowScrolledPage(scroll.value()); };
    auto Picture1_MouseDown = [&view](double yTwips) { view.CycleMarkAt(yTwips); };
    QObject::connect(&scroll, &QScrollBar::valueChanged, &scroll, VScroll1_Change);
    QObject::connect(&scroll, &FocusScrollBar::focusReceived, &scroll, VScroll1_GotFocus);
    QObject::connect(&picture, &ResultsPicture::pressedAt, &picture, Picture1_MouseDown);
    picture.setToolTipProvider([&view](double yTwips) { return RowToolTip(view, yTwips); });
}
