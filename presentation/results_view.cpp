#include "presentation/results_view.h"

#include "presentation/record_line.h"
#include "records/record_sort.h"
#include "presentation/result_columns.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<TabField> AtColumns(const ColumnTexts& texts)
{
    std::vector<TabField> fields;
    for (std::size_t i = 0; i < texts.size(); ++i)
        fields.push_back({ResultsView::Columns[i], texts[i]});
    return fields;
}

} // namespace

ResultsView::ResultsView(Records& records, FormatState& format, ViewState& view, DrawingSurface& surface,
                         ScrollRange& scroll)
    : records_(records), format_(format), view_(view), surface_(surface), scroll_(scroll)
{
}

int ResultsView::lineHeight() const
{
    const int h = surface_.textHeightTwips("hi");
    return h > 0 ? h : 1;
}

void ResultsView::DrawColumnHeadings()
{
    surface_.clear();
    for (auto& texts : rowTexts_)
        texts.clear();
    surface_.printLine(AtColumns(ColumnTitles));
    surface_.printLine({{1, "         "}});
    rowTexts_[0].assign(ColumnTitles.begin(), ColumnTitles.end());
}

void ResultsView::ClearRowBand(int row)
{
    // The whole row, not only the SEQ band, so no line lies over the remains of another.
    const int h = lineHeight();
    surface_.fillBackground(0, row * h, surface_.widthTwips(), h);
    if (row >= 0 && row < Rows)
        rowTexts_[static_cast<std::size_t>(row)].clear();
}

void ResultsView::DrawRecordRow(int row, int n)
{
    const ColumnTexts texts = ColumnsOf(FormatRecordLine(format_, records_.table(), n));
    surface_.setPrintPosition(0, row * lineHeight());
    surface_.printLine(AtColumns(texts));
    if (row >= 0 && row < Rows)
        rowTexts_[static_cast<std::size_t>(row)].assign(texts.begin(), texts.end());
}

void ResultsView::RefreshResults(int limit)
{
    surface_.takeFocus();
    for (int row = FirstDataRow; row <= LastDataRow; ++row)
        ClearRowBand(row);
    if (scroll_.value() > scroll_.maximum())
        scroll_.setValue(scroll_.maximum()); // redraws at once through the change handler

    if (records_.table().RecordCount < VisibleRecordRows) {
        view_.FirstShownRecord = 1;
        view_.LastShownRecord = static_cast<std::int16_t>(limit);
    } else {
        view_.FirstShownRecord = static_cast<std::int16_t>(scroll_.value() + 1);
        view_.LastShownRecord = static_cast<std::int16_t>(scroll_.value() + VisibleRecordRows);
    }

    switch (view_.SortRequest) {
    case SortChoice::ByTime:
        records_.sortPage(view_.FirstShownRecord, view_.LastShownRecord, SortKey::ElapsedTime);
        break;
    case SortChoice::ByBib:
        records_.sortPage(view_.FirstShownRecord, view_.LastShownRecord, SortKey::BibNumber);
        break;
    case SortChoice::BySequence:
        records_.sortPage(view_.FirstShownRecord, view_.LastShownRecord, SortKey::Sequence);
        break;
    case SortChoice::None:
        break;
    }
    view_.SortRequest = SortChoice::None;

    for (int n = view_.FirstShownRecord; n <= view_.LastShownRecord; ++n)
        DrawRecordRow(FirstDataRow + (n - view_.FirstShownRecord), n);
    placeCursor();
}

void ResultsView::showFiledRecords()
{
    // The page the scroll bar shows now: filing a record need not move the
    // bar (the 31st leaves it at 0), so no change event may have redrawn it.
    if (records_.table().RecordCount < VisibleRecordRows) {
        view_.FirstShownRecord = 1;
        view_.LastShownRecord = records_.table().RecordCount;
    } else {
        view_.FirstShownRecord = static_cast<std::int16_t>(scroll_.value() + 1);
        view_.LastShownRecord = static_cast<std::int16_t>(
            std::min<int>(scroll_.value() + VisibleRecordRows, records_.table().RecordCount));
    }
    for (int n = view_.FirstShownRecord; n <= view_.LastShownRecord; ++n) {
        const int row = FirstDataRow + (n - view_.FirstShownRecord);
        ClearRowBand(row);
        DrawRecordRow(row, n);
    }
    placeCursor();
}

void ResultsView::requestSort(SortChoice sortRequest)
{
    view_.SortRequest = sortRequest;
    DrawColumnHeadings();
    RefreshResults(records_.table().RecordCount);
}

void ResultsView::showTimesAs(TimeDisplay timeDisplayMode)
{
    format_.TimeDisplayMode = timeDisplayMode;
    DrawColumnHeadings();
    RefreshResults(records_.table().RecordCount);
}

void ResultsView::showScrolledPage(int value)
{
    view_.ScrollPosition = static_cast<std::int16_t>(value);
    // While every record fits on one page the scroll value is 0; the list
    // still shows all records rather than vanishing.
    RefreshResults(records_.table().RecordCount < VisibleRecordRows ? records_.table().RecordCount : view_.ScrollPosition);
}

void ResultsView::bringIntoView(int n)
{
    if (records_.table().RecordCount < VisibleRecordRows || (n >= view_.FirstShownRecord && n <= view_.LastShownRecord))
        return;
    // The line in the middle of the page, where it can.
    scroll_.setValue(std::clamp(n - 1 - VisibleRecordRows / 2, 0, scroll_.maximum()));
}

int ResultsView::rowAt(double yTwips) const
{
    // The band a row's text is drawn in, from its top to the next row's.
    const int row = static_cast<int>(std::floor(yTwips / lineHeight()));
    return row >= 0 && row < Rows ? row : -1;
}

void ResultsView::cycleMarkAt(double yTwips)
{
    const int row = rowAt(yTwips);
    if (row < FirstDataRow || row > LastDataRow)
        return;
    const int n = view_.FirstShownRecord + (row - FirstDataRow);
    if (n < 0 || n >= RecordTableState::Rows || records_.table().rowIsEmpty(n))
        return;
    const auto& fields = records_.table().RecordTable[static_cast<std::size_t>(n)];
    const int record = fields[RecordField::Sequence];
    const int before = fields[RecordField::MarkState];
    const int after = before + 1 > 2 ? 0 : before + 1;
    // A record without a start time keeps its mark.
    const bool markable = Compose24(fields, RecordField::StartTime) > 0;
    if (markable)
        records_.setMark(record, after);
    ClearRowBand(row);
    DrawRecordRow(row, n);
    placeCursor();
    if (markable && marked_)
        marked_(record, before, after);
}

int ResultsView::lastShownRow() const
{
    return FirstDataRow + std::max(-1, view_.LastShownRecord - view_.FirstShownRecord);
}

void ResultsView::placeCursor()
{
    // Kept on a line that is shown, however the page changed.
    if (view_.cursorRow != 0)
        view_.cursorRow = static_cast<std::int16_t>(std::clamp<int>(view_.cursorRow, FirstDataRow,
                                                                    std::max(FirstDataRow, lastShownRow())));
    const int h = lineHeight();
    surface_.showCursor(view_.cursorRow * h, view_.cursorRow != 0 && lastShownRow() >= FirstDataRow ? h : 0);
}

void ResultsView::moveCursor(CursorMove move)
{
    const bool placed = view_.cursorRow != 0;
    if (!placed)
        view_.cursorRow = FirstDataRow;
    const int value = scroll_.value();
    switch (move) {
    case CursorMove::Up:
        if (placed && view_.cursorRow > FirstDataRow)
            --view_.cursorRow;
        else if (placed)
            scroll_.setValue(value - 1);
        break;
    case CursorMove::Down:
        if (placed && view_.cursorRow < lastShownRow())
            ++view_.cursorRow;
        else if (placed)
            scroll_.setValue(value + 1);
        break;
    case CursorMove::PageUp:
        scroll_.setValue(value - VisibleRecordRows);
        break;
    case CursorMove::PageDown:
        scroll_.setValue(value + VisibleRecordRows);
        break;
    case CursorMove::Home:
        scroll_.setValue(0);
        view_.cursorRow = FirstDataRow;
        break;
    case CursorMove::End:
        scroll_.setValue(scroll_.maximum());
        view_.cursorRow = LastDataRow;
        break;
    }
    placeCursor();
}

void ResultsView::markCursorLine()
{
    if (view_.cursorRow == 0 || view_.cursorRow > lastShownRow())
        return;
    cycleMarkAt(view_.cursorRow * lineHeight());
}

const std::vector<std::string>& ResultsView::rowTexts(int row) const
{
    static const std::vector<std::string> none;
    return row >= 0 && row < Rows ? rowTexts_[static_cast<std::size_t>(row)] : none;
}
