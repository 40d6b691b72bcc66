#pragma once

#include "presentation/format_state.h"

#include <array>
#include <cstddef>
#include <string>

// The list's columns, in the order every medium shows them; each medium
// keeps its own positions. The Source of a line is not a column.
constexpr std::size_t ResultColumnCount = 8;
using ColumnTexts = std::array<std::string, ResultColumnCount>;

inline const ColumnTexts ColumnTitles = {"SEQ", "BIB #", "TIME", "START", "FINISH", "SPLIT1", "SPLIT2", "SPLIT3"};

// The header line's account of when the list was taken and from which
// unit, as the export (after the file name) and the print give it.
inline std::string StampLine(const std::string& date, const std::string& time, const std::string& unit)
{
    return "Date  =  " + date + "    Time  =  " + time + "     Unit = " + unit;
}

// A line's texts in column order.
inline ColumnTexts ColumnsOf(const RecordLine& l)
{
    return {l.Seq, l.Bib, l.Time, l.Start, l.Finish, l.Split1, l.Split2, l.Split3};
}
