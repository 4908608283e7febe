#pragma once

#include <QString>

// Removes the spaces (U+0020 only) at both ends, as the program's rules say;
// tabs and ideographic spaces are part of a name and stay.
inline QString trimSpaces(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ')
        ++start;
    while (end > start && text.at(end - 1) == u' ')
        --end;
    return text.mid(start, end - start);
}
