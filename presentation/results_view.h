#pragma once

#include "drawing_surface.h"
#include "format_state.h"
#include "record_table.h"
#include "scroll_range.h"
#include "timer_commands.h"
#include "view_state.h"

#include <array>
#include <string>
#include <vector>

// The list of records in the main window: headings, a page of 31 lines, the
// scroll bar's choice of page and the click that cycles a line's mark.
class ResultsView : public ResultsDisplay {
public:
    static constexpr int FirstDataRow = 4;
    static constexpr int LastDataRow = FirstDataRow + 30;
    static constexpr int Rows = LastDataRow + 1;

    ResultsView(RecordStore& store, FormatState& format, ViewState& view, DrawingSurface& surface,
                ScrollRange& scroll);

    void DrawColumnHeadings() override;
    void RefreshResults(int limit) override;
    void DrawRecordRow(int row, int n);
    void ClearRowBand(int row);

    // Operator actions that end in a redraw.
    void RequestSort(int sortRequest);
    void ShowTimesAs(int timeDisplayMode);
    void PictureMouseDown(double yTwips);
    void ScrollValueChanged(int value);
    void ScrollGotFocus(int value);

    // Row under a point, for tooltips; -1 outside the view's rows.
    int RowAt(double yTwips) const;
    // The texts drawn in a view row, empty where nothing is drawn.
    const std::vector<std::string>& RowTexts(int row) const;

private:
    int LineHeight() const;
    void ScrollEvent(int value);

    RecordStore& store_;
    FormatState& format_;
    ViewState& view_;
    DrawingSurface& surface_;
    ScrollRange& scroll_;
    std::array<std::vector<std::string>, Rows> rowTexts_;
};

// Heading texts and tab columns of the list.
extern const std::array<TabField, 8> ColumnHeadings;
