#pragma once

#include <QString>

class ResultsPicture;
class FocusScrollBar;
class ResultsView;

// The UI edge of the results view: the picture's presses and tooltips and
// the scroll bar's changes and focus, routed to the view.
void ConnectResultsView(ResultsPicture& picture, FocusScrollBar& scroll, ResultsView& view);

// The tooltip at a height of the picture: the line a press there would
// mark, one column a line; empty off the record lines.
QString RowToolTip(const ResultsView& view, double yTwips);
