#include "core/text/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <langinfo.h>
#include <sys/stat.h>
#endif

namespace TextFile {

QByteArray systemEncodingName()
{
#ifdef Q_OS_UNIX
    // Qt's "System" converter is UTF-8 on every Unix locale; ask the locale.
    const QByteArray codeset(nl_langinfo(CODESET));
    if (!codeset.isEmpty() && codeset != "ANSI_X3.4-1968" && codeset != "ASCII"
        && QStringDecoder(codeset.constData()).isValid())
        return codeset;
    return QByteArrayLiteral("UTF-8");
#else
    return QByteArrayLiteral("System");
#endif
}

static QStringDecoder systemDecoder()
{
#ifdef Q_OS_UNIX
    return QStringDecoder(systemEncodingName().constData(), QStringDecoder::Flag::Stateless);
#else
    return QStringDecoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
#endif
}

QString decode(const QByteArray &bytes, bool *lossless)
{
    if (lossless)
        *lossless = true;
    QStringDecoder system = systemDecoder();
    QString text = system(bytes);
    if (!system.hasError())
        return text;
    QStringDecoder gb18030("GB18030", QStringDecoder::Flag::Stateless);
    if (gb18030.isValid()) {
        QString fallback = gb18030(bytes);
        if (!gb18030.hasError())
            return fallback;
    }
    if (lossless)
        *lossless = false;
    return text; // neither fits: keep the system decoding with replacement characters
}

QByteArray encode(const QString &text)
{
#ifdef Q_OS_UNIX
    QStringEncoder system(systemEncodingName().constData(), QStringEncoder::Flag::Stateless);
#else
    QStringEncoder system(QStringEncoder::System, QStringEncoder::Flag::Stateless);
#endif
    return system(text);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

// Only "no such file" counts as missing: a file that cannot even be looked at
// (an I/O error on a network folder) must not be taken for an absent one and
// replaced.
static bool isMissing(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        return false;
    return errno == ENOENT || errno == ENOTDIR;
#else
    return !QFileInfo::exists(path);
#endif
}

ReadResult readLines(const QString &path)
{
    ReadResult result;
    QFile file(path);
    if (isMissing(path)) {
        result.status = ReadStatus::NotFound;
        return result;
    }
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        result.status = ReadStatus::Unreadable;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        result.status = ReadStatus::Unreadable;
    bool lossless = true;
    result.lines = splitLines(decode(bytes, &lossless));
    if (result.status == ReadStatus::Ok && !lossless)
        result.status = ReadStatus::Undecodable;
    return result;
}

bool writeLines(const QString &path, const QStringList &lines, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    const QByteArray bytes = encode(text);
    // QSaveFile::commit() does not notice a failed flush (disk full, file
    // size limit) and would replace the old file with a truncated one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace TextFile
