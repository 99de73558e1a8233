#pragma once

#include <qv.win/Gradient.h>

#include <ostream>
#include <vector>

// A computed run as a comparable value, so that run lists compare and print as a whole.
struct Run {
    COLORREF color;
    int length;

    bool operator==(const Run&) const = default;
};

using Runs = std::vector<Run>;

inline void PrintTo(const Run& run, std::ostream* os)
{
    *os << "{RGB(" << int(GetRValue(run.color)) << "," << int(GetGValue(run.color)) << ","
        << int(GetBValue(run.color)) << ") x " << run.length << "}";
}

inline Runs toRuns(const qv::gui::GradElementArray& elements)
{
    Runs runs;
    for (INT_PTR i = 0; i < elements.GetSize(); ++i)
        runs.push_back({elements[i].color, elements[i].length});
    return runs;
}

inline int totalLength(const Runs& runs)
{
    int total = 0;
    for (const Run& run : runs)
        total += run.length;
    return total;
}
