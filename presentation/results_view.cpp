#include "results_view.h"

#include "frame_scanner.h"
#include "record_line.h"
#include "record_sort.h"

#include <cmath>

const std::array<TabField, 8> ColumnHeadings = {{
    {1, "SEQ"},
    {9, "BIB #"},
    {24, "TIME"},
    {40, "START"},
    {56, "FINISH"},
    {72, "SPLIT1"},
    {88, "SPLIT2"},
    {104, "SPLIT3"},
}};

namespace {

// Rounds to the nearest integer, a half to the even neighbour.
int RoundHalfEven(double q)
{
    const double below = std::floor(q);
    const double diff = q - below;
    if (diff > 0.5)
        return static_cast<int>(below) + 1;
    if (diff < 0.5)
        return static_cast<int>(below);
    const int b = static_cast<int>(below);
    return (b % 2 == 0) ? b : b + 1;
}

} // namespace

ResultsView::ResultsView(RecordStore& store, FormatState& format, ViewState& view, DrawingSurface& surface,
                         ScrollRange& scroll)
    : store_(store), format_(format), view_(view), surface_(surface), scroll_(scroll)
{
}

int ResultsView::LineHeight() const
{
    const int h = surface_.textHeight("hi");
    return h > 0 ? h : 1;
}

void ResultsView::DrawColumnHeadings()
{
    surface_.clear();
    for (auto& texts : rowTexts_)
        texts.clear();
    surface_.printLine({ColumnHeadings.begin(), ColumnHeadings.end()});
    surface_.printLine({{1, "         "}});
    for (const TabField& f : ColumnHeadings)
        rowTexts_[0].push_back(f.text);
}

void ResultsView::ClearRowBand(int row)
{
    // The whole row, not only the SEQ band, so no line lies over the remains of another.
    const int h = LineHeight();
    surface_.fillBackground(0, row * h, surface_.width(), h);
    if (row >= 0 && row < Rows)
        rowTexts_[static_cast<std::size_t>(row)].clear();
}

void ResultsView::DrawRecordRow(int row, int n)
{
    FormatRecordLine(format_, store_, n);
    const RecordLine& l = format_.Line;
    surface_.setPrintPosition(0, row * LineHeight());
    const std::vector<TabField> fields = {
        {1, l.Seq}, {9, l.Bib}, {24, l.Time}, {40, l.Start},
        {56, l.Finish}, {72, l.Split1}, {88, l.Split2}, {104, l.Split3},
    };
    surface_.printLine(fields);
    if (row >= 0 && row < Rows) {
        auto& texts = rowTexts_[static_cast<std::size_t>(row)];
        texts.clear();
        for (const TabField& f : fields)
            texts.push_back(f.text);
    }
}

void ResultsView::RefreshResults(int limit)
{
    surface_.takeFocus();
    for (int row = FirstDataRow; row <= LastDataRow; ++row)
        ClearRowBand(row);
    if (scroll_.value() > scroll_.maximum())
        scroll_.setValue(scroll_.maximum()); // redraws at once through the change handler

    if (store_.RecordCount < VisibleRecordRows) {
        view_.FirstShownRecord = 1;
        view_.LastShownRecord = static_cast<std::int16_t>(limit);
    } else {
        view_.FirstShownRecord = static_cast<std::int16_t>(scroll_.value() + 1);
        view_.LastShownRecord = static_cast<std::int16_t>(scroll_.value() + VisibleRecordRows);
    }

    switch (view_.SortRequest) {
    case ViewState::SortByTime:
        SortRecords(store_, view_.FirstShownRecord, view_.LastShownRecord, SortKey::ElapsedTime);
        break;
    case ViewState::SortByBib:
        SortRecords(store_, view_.FirstShownRecord, view_.LastShownRecord, SortKey::BibNumber);
        break;
    case ViewState::SortBySequence:
        SortRecords(store_, view_.FirstShownRecord, view_.LastShownRecord, SortKey::Sequence);
        break;
    default:
        break;
    }
    view_.SortRequest = ViewState::NoSort;

    for (int n = view_.FirstShownRecord; n <= view_.LastShownRecord; ++n)
        DrawRecordRow(FirstDataRow + (n - view_.FirstShownRecord), n);
}

void ResultsView::RequestSort(int sortRequest)
{
    view_.SortRequest = static_cast<std::int16_t>(sortRequest);
    DrawColumnHeadings();
    RefreshResults(store_.RecordCount);
}

void ResultsView::ShowTimesAs(int timeDisplayMode)
{
    format_.TimeDisplayMode = timeDisplayMode;
    DrawColumnHeadings();
    RefreshResults(store_.RecordCount);
}

void ResultsView::ScrollEvent(int value)
{
    view_.ScrollPosition = static_cast<std::int16_t>(value);
    // While every record fits on one page the scroll value is 0; the list
    // still shows all records rather than vanishing.
    RefreshResults(store_.RecordCount < VisibleRecordRows ? store_.RecordCount : view_.ScrollPosition);
}

void ResultsView::ScrollValueChanged(int value) { ScrollEvent(value); }
void ResultsView::ScrollGotFocus(int value) { ScrollEvent(value); }

void ResultsView::PictureMouseDown(double yTwips)
{
    double y = yTwips;
    if (y > 5)
        y -= 5;
    const int row = RoundHalfEven(y / LineHeight());
    if (row < FirstDataRow || row > LastDataRow)
        return;
    const int n = view_.FirstShownRecord + (row - FirstDataRow);
    if (n < 0 || n >= RecordStore::Rows || store_.RowIsEmpty(n))
        return;
    auto& fields = store_.RecordTable[static_cast<std::size_t>(n)];
    if (fields[1] > 0 || fields[2] > 0 || fields[3] > 0) {
        int& mark = fields[RecordField::MarkState];
        mark = mark + 1 > 2 ? 0 : mark + 1;
    }
    ClearRowBand(row);
    DrawRecordRow(row, n);
}

int ResultsView::RowAt(double yTwips) const
{
    const int row = static_cast<int>(std::floor(yTwips / LineHeight()));
    return row >= 0 && row < Rows ? row : -1;
}

const std::vector<std::string>& ResultsView::RowTexts(int row) const
{
    static const std::vector<std::string> none;
    return row >= 0 && row < Rows ? rowTexts_[static_cast<std::size_t>(row)] : none;
}
