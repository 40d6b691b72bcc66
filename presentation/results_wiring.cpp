#include "results_wiring.h"

#include "focus_scroll_bar.h"
#include "results_picture.h"
#include "results_view.h"

#include <QObject>

namespace {

QString RowToolTip(const ResultsView& view, double yTwips)
{
    const int row = view.RowAt(yTwips);
    if (row < ResultsView::FirstDataRow)
        return {};
    const auto& texts = view.RowTexts(row);
    QString tip;
    for (std::size_t i = 0; i < texts.size() && i < ColumnHeadings.size(); ++i) {
        if (!tip.isEmpty())
            tip += '\n';
        tip += QString::fromStdString(ColumnHeadings[i].text) + ": " + QString::fromStdString(texts[i]);
    }
    return tip;
}

} // namespace

void ConnectResultsView(ResultsPicture& picture, FocusScrollBar& scroll, ResultsView& view)
{
    QObject::connect(&scroll, &QScrollBar::valueChanged, &scroll, [&view](int v) { view.ScrollValueChanged(v); });
    QObject::connect(&scroll, &FocusScrollBar::focusReceived, &scroll,
                     [&view, &scroll] { view.ScrollGotFocus(scroll.value()); });
    QObject::connect(&picture, &ResultsPicture::mousePressedAt, &picture,
                     [&view](double y) { view.PictureMouseDown(y); });
    picture.setToolTipProvider([&view](double y) { return RowToolTip(view, y); });
}
