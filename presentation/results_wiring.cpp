#include "presentation/results_wiring.h"

#include "presentation/focus_scroll_bar.h"
#include "presentation/result_columns.h"
#include "presentation/results_picture.h"
#include "presentation/results_view.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QObject>

#include <optional>
#include <utility>
#include <vector>

namespace {

// Each column's title with the row's text under it, as far as both go.
std::vector<std::pair<QString, QString>> TitledColumns(const ResultsView& view, int row)
{
    const auto& texts = view.rowTexts(row);
    std::vector<std::pair<QString, QString>> columns;
    for (std::size_t i = 0; i < texts.size() && i < ColumnTitles.size(); ++i)
        columns.emplace_back(QString::fromStdString(ColumnTitles[i]), QString::fromStdString(texts[i]));
    return columns;
}

} // namespace

QString RowToolTip(const ResultsView& view, double yTwips)
{
    const int row = view.rowAt(yTwips);
    if (row < ResultsView::FirstDataRow)
        return {};
    QStringList lines;
    for (const auto& [title, text] : TitledColumns(view, row))
        lines << title + ": " + text;
    return lines.join('\n');
}

namespace {

// The wheel over the list moves the scroll bar as its own arrows do; while
// the list has the focus, the arrow and paging keys move its line cursor
// (the page scrolls with it) and Space cycles the mark of the cursor's line.
class ListKeys : public QObject {
public:
    ListKeys(QObject* parent, QScrollBar& scroll, ResultsView& view) : QObject(parent), scroll_(scroll), view_(view) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel) {
            QCoreApplication::sendEvent(&scroll_, event);
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & ~Qt::KeypadModifier)
                return QObject::eventFilter(watched, event);
            if (key->key() == Qt::Key_Space) {
                view_.markCursorLine();
                return true;
            }
            if (const auto move = MoveFor(key->key())) {
                view_.moveCursor(*move);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static std::optional<ResultsView::CursorMove> MoveFor(int key)
    {
        using Move = ResultsView::CursorMove;
        switch (key) {
        case Qt::Key_Up:
            return Move::Up;
        case Qt::Key_Down:
            return Move::Down;
        case Qt::Key_PageUp:
            return Move::PageUp;
        case Qt::Key_PageDown:
            return Move::PageDown;
        case Qt::Key_Home:
            return Move::Home;
        case Qt::Key_End:
            return Move::End;
        default:
            return std::nullopt;
        }
    }

    QScrollBar& scroll_;
    ResultsView& view_;
};

// What a screen reader reads of the list: each line drawn, column by column.
QStringList ShownLines(const ResultsView& view)
{
    QStringList lines;
    for (int row = ResultsView::FirstDataRow; row <= ResultsView::LastDataRow; ++row) {
        QStringList parts;
        for (const auto& [title, text] : TitledColumns(view, row))
            parts << title + " " + text.simplified();
        if (!parts.isEmpty())
            lines << parts.join(", ");
    }
    return lines;
}

} // namespace

void ConnectResultsView(ResultsPicture& picture, FocusScrollBar& scroll, ResultsView& view)
{
    picture.installEventFilter(new ListKeys(&picture, scroll, view));
    picture.setAccessibleLines([&view] { return ShownLines(view); });
    picture.setAccessibleFirstRow(ResultsView::FirstDataRow);
    auto VScroll1_Change = [&view](int value) { view.showScrolledPage(value); };
    auto VScroll1_GotFocus = [&view, &scroll] { view.showScrolledPage(scroll.value()); };
    auto Picture1_MouseDown = [&view](double yTwips) { view.cycleMarkAt(yTwips); };
    QObject::connect(&scroll, &QScrollBar::valueChanged, &scroll, VScroll1_Change);
    QObject::connect(&scroll, &FocusScrollBar::focusReceived, &scroll, VScroll1_GotFocus);
    QObject::connect(&picture, &ResultsPicture::pressedAt, &picture, Picture1_MouseDown);
    picture.setToolTipProvider([&view](double yTwips) { return RowToolTip(view, yTwips); });
}
