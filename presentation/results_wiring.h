#pragma once

class ResultsPicture;
class FocusScrollBar;
class ResultsView;

// The UI edge of the results view: the picture's presses and tooltips and
// the scroll bar's changes and focus, routed to the view.
void ConnectResultsView(ResultsPicture& picture, FocusScrollBar& scroll, ResultsView& view);
