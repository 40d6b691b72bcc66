#pragma once

class ResultsPicture;
class FocusScrollBar;
class ResultsView;

// Routes the picture's clicks and tooltips and the scroll bar's changes and
// focus to the view's handlers.
void ConnectResultsView(ResultsPicture& picture, FocusScrollBar& scroll, ResultsView& view);
