#pragma once

#include <QString>

// xlist.cfg keeps one location per line, so a location with a line break in
// it would come back as two items: such locations are never added.
inline bool fitsOneLine(const QString &location)
{
    return !location.contains(u'\n') && !location.contains(u'\r');
}

// Text as editors and browsers hand it over often ends in a line end: the
// line ends and spaces after the last character do not count.
inline QString withoutTrailingBreaks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0) {
        const QChar c = text.at(end - 1);
        if (c != u'\n' && c != u'\r' && c != u' ' && c != u'\t')
            break;
        --end;
    }
    return text.left(end);
}
