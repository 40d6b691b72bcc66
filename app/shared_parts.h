#pragma once

class MainWindow;
class OperatorNews;
class OperatorPrompt;
class ResultsView;
struct TimerState;

// What every feature's controller works on: the program's state, the
// window and its list, and the two ways of telling the operator.
struct SharedParts {
    TimerState& state;
    MainWindow& window;
    ResultsView& results;
    OperatorPrompt& prompt;
    OperatorNews& news;
};
