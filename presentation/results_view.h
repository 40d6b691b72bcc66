#pragma once

#include "presentation/drawing_surface.h"
#include "presentation/format_state.h"
#include "records/records.h"
#include "records/scroll_range.h"
#include "records/timer_commands.h"
#include "presentation/view_state.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// The list of records in the main window: headings, a page of 31 lines, the
// scroll bar's choice of page and the press that cycles a line's mark.
class ResultsView : public ResultsDisplay {
public:
    static constexpr int FirstDataRow = 4;
    static constexpr int LastDataRow = FirstDataRow + VisibleRecordRows - 1;
    static constexpr int Rows = LastDataRow + 1;
    // Tab columns of the headings and of every record line.
    static constexpr std::array<int, 8> Columns = {1, 9, 24, 40, 56, 72, 88, 104};

    ResultsView(Records& records, FormatState& format, ViewState& view, DrawingSurface& surface,
                ScrollRange& scroll);

    void DrawColumnHeadings() override;
    void RefreshResults(int limit) override;
    // Without a sort and without taking the focus; while every record fits on
    // one page, the page grows to the highest record.
    void showFiledRecords() override;
    void DrawRecordRow(int row, int n);
    void ClearRowBand(int row);

    // Operator actions that end in a redraw.
    void requestSort(SortChoice sortRequest);
    void showTimesAs(TimeDisplay timeDisplayMode);
    // A press on the picture cycles the mark of the line it falls on.
    void cycleMarkAt(double yTwips);
    // Told after a press or a key changed a line's mark: the record, its mark
    // before and after.
    using MarkListener = std::function<void(int record, int before, int after)>;
    void setMarkListener(MarkListener marked) { marked_ = std::move(marked); }
    // The scroll bar moved, or took the focus: the page at its value.
    void showScrolledPage(int value);
    // Scrolls the list so that table row n is on the page, when it is not.
    void bringIntoView(int n);

    // The keyboard's line cursor: moved within the page, which scrolls when
    // the cursor would leave it; Space cycles the mark of its line as a click
    // there would.
    enum class CursorMove { Up, Down, PageUp, PageDown, Home, End };
    void moveCursor(CursorMove move);
    void markCursorLine();

    // The view row whose line is drawn at this height; -1 outside the view's rows.
    int rowAt(double yTwips) const;
    // The texts drawn in a view row, empty where nothing is drawn.
    const std::vector<std::string>& rowTexts(int row) const;

private:
    int lineHeight() const;
    // The view row of the last line the page shows (FirstDataRow - 1 when none).
    int lastShownRow() const;
    void placeCursor();

    Records& records_;
    FormatState& format_;
    ViewState& view_;
    DrawingSurface& surface_;
    ScrollRange& scroll_;
    std::array<std::vector<std::string>, Rows> rowTexts_;
    MarkListener marked_;
};
