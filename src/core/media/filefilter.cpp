#include "core/media/filefilter.h"

static QStringList patternsOf(const QString &patternList)
{
    QStringList patterns;
    for (const QString &part : patternList.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern == QLatin1String("*.*"))
            patterns.append(QStringLiteral("*"));
        else if (!pattern.isEmpty())
            patterns.append(pattern);
    }
    return patterns;
}

QStringList nameFiltersFromFilterString(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts.at(i);
        const QStringList patterns = patternsOf(parts.at(i + 1));
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        result.append(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return result;
}

QString mediaFileFilter()
{
    return QStringLiteral("☆REAL File(*.ra,*.rm,*.ram,*.rmm)|*.ra;*.rm;*.ram;*.rmm|"
                          "☆MP3 File(*.mp3,*.mp2,*.m3u,*.pls)|*.mp3;*.mp2;*.m3u;*.pls|"
                          "其他还有很多种格式(*.*)|*.*|");
}
