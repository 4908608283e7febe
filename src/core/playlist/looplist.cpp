#include "core/playlist/looplist.h"

#include "core/text/textfile.h"

namespace LoopList {

QStringList rotated(const QStringList &texts, qsizetype start)
{
    if (start <= 0 || start >= texts.size())
        return texts;
    QStringList result;
    result.reserve(texts.size());
    result.append(texts.mid(start));
    result.append(texts.first(start));
    return result;
}

bool write(const QString &path, const QStringList &texts)
{
    return TextFile::writeLines(path, texts);
}

} // namespace LoopList
