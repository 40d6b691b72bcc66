#pragma once

#include <string>

// The texts of one result line, as the latest FormatRecordLine left them.
// The printed report and the export read Source for their header line.
struct RecordLine {
    std::string Seq;
    std::string Bib;
    std::string Time;
    std::string Start;
    std::string Finish;
    std::string Split1;
    std::string Split2;
    std::string Split3;
    std::string Source;
};

// How times are rendered, and the line the latest formatting produced.
struct FormatState {
    static constexpr int Seconds = 0;
    static constexpr int TimeOfDay = 1;

    int TimeDisplayMode = Seconds;
    // Offset of the bib-timer record formatted last; other sources borrow it.
    double DayTimeBase = 0;
    bool SuppressDayTimeBase = false;
    RecordLine Line;
};
