#include "engine/ramlist.h"
#include "core/program/texts.h"

#include "core/playlist/listfile.h"
#include "core/text/textfile.h"
#include "engine/fileaccess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <utility>

namespace {

// Entries looked at per expansion, missing ones included: past this the
// rest is dropped, so a list of a million missing files cannot keep the
// expansion busy.
const qsizetype kMaxExamined = 2 * RamList::kMaxEntries;
// All list files of one expansion together.
const qint64 kMaxBytes = 4 * RegularFile::kListFileLimit;
// Entries handed over while expanding: the first ones as soon as there are
// a few (or a moment has passed), so the first can play while the rest are
// looked for; then in larger steps, rarely enough to cost nothing.
const qsizetype kFirstStep = 64;
const qsizetype kNextStep = 8192;
const qint64 kFirstStepMs = 10;
const qint64 kNextStepMs = 100;

// Collects the entries of one list, line by line.
class EntryCollector
{
public:
    EntryCollector(RamList::Format format, qsizetype maxEntries)
        : m_format(format)
        , m_max(maxEntries)
    {
    }

    // False once full: the line was not taken, and there is more.
    bool add(QStringView line)
    {
        if (m_format == RamList::Format::Pls)
            return addPls(line);
        const QStringView text = ListFile::lineText(line);
        const QStringView trimmed = text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#') || trimmed == u"--stop--")
            return true;
        if (m_lines.size() >= m_max)
            return false;
        m_lines << text.toString();
        return true;
    }

    QStringList take() { return m_format == RamList::Format::Pls ? m_pls.values() : m_lines; }

private:
    bool addPls(QStringView line)
    {
        const QRegularExpressionMatch match = m_plsFile.match(line);
        const QString value = match.hasMatch() ? match.captured(2).trimmed() : QString();
        const int number = match.captured(1).toInt();
        if (value.isEmpty() || m_pls.contains(number))
            return true;
        if (m_pls.size() >= m_max)
            return false;
        m_pls.insert(number, value);
        return true;
    }

    RamList::Format m_format;
    qsizetype m_max;
    // Each collector its own: lists are read on worker threads.
    const QRegularExpression m_plsFile { QStringLiteral("^\\s*file(\\d+)\\s*=(.*)$"),
        QRegularExpression::CaseInsensitiveOption };
    QStringList m_lines;
    QMap<int, QString> m_pls;
};

// Something that is there but is no file (a folder) cannot be read; only
// what is absent is not found.
QString missingFileText(const QString &path)
{
    const QFileInfo info(QDir::cleanPath(path));
    if (info.isDir())
        return QStringLiteral("无法读取 %1: 这是一个文件夹").arg(info.fileName());
    if (info.exists())
        return QStringLiteral("无法读取文件 %1").arg(info.fileName());
    return QStringLiteral("找不到文件 %1").arg(info.fileName());
}

// Why one entry is not played.
QString entryFailureText(const SourceLocation &entry)
{
    return entry.kind == SourceLocation::Kind::Refused ? entry.refusal()
                                                       : missingFileText(entry.location);
}

QString readFailureText(RegularFile::Status status, const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    switch (status) {
    case RegularFile::Status::NotFound:
        return QStringLiteral("找不到列表文件 %1").arg(name);
    case RegularFile::Status::TooLarge:
        return QStringLiteral("列表文件太大 %1").arg(name);
    default:
        break;
    }
    return QStringLiteral("无法读取列表文件 %1").arg(name);
}

// One expansion: the lists met so far and what is left of the bounds.
class Expander
{
public:
    Expander(
        const FileAccess &files, const std::atomic_bool *cancelled, const RamList::EntrySink &found)
        : m_files(files)
        , m_cancelled(cancelled)
        , m_found(found)
    {
    }

    void expandList(const QString &path, int depth);
    RamList::Expansion takeResult() { return std::move(m_result); }
    // Why the list's only entry was not played; empty for longer lists.
    QString loneFailure() const { return m_examined == 1 ? m_firstFailure : QString(); }

private:
    bool cancelled() const { return m_cancelled && m_cancelled->load(); }
    QStringList readEntries(const QString &path);
    // False when the expansion is full and must end.
    bool take(const QString &text, const QString &folder, int depth);
    void handOver();

    const FileAccess &m_files;
    const std::atomic_bool *m_cancelled;
    const RamList::EntrySink &m_found;
    QElapsedTimer m_clock; // from the first entry found
    qsizetype m_handedOver = 0;
    qint64 m_nextHandOverMs = kFirstStepMs;
    bool m_stopped = false; // full, or cancelled
    QSet<QString> m_seen;
    qint64 m_bytesLeft = kMaxBytes;
    qsizetype m_examined = 0;
    QString m_firstFailure;
    RamList::Expansion m_result;
};

QStringList Expander::readEntries(const QString &path)
{
    const qint64 limit = qMin(RegularFile::kListFileLimit, m_bytesLeft);
    RegularFile::Contents file = m_files.read(path, limit);
    if (file.status == RegularFile::Status::TooLarge && limit < RegularFile::kListFileLimit) {
        m_result.truncated = true; // too much read for one expansion already
        return {};
    }
    if (file.status != RegularFile::Status::Ok) {
        if (m_result.error.isEmpty())
            m_result.error = readFailureText(file.status, path);
        return {};
    }
    m_bytesLeft -= file.bytes.size();
    const QString text = TextFile::decode(std::exchange(file.bytes, {}));
    bool more = false;
    QStringList entries
        = RamList::entries(text, RamList::formatOf(path), kMaxExamined - m_examined, &more);
    if (more)
        m_result.truncated = true;
    return entries;
}

void Expander::expandList(const QString &path, int depth)
{
    const QString identity = m_files.identity(path);
    if (cancelled() || m_seen.contains(identity))
        return; // a list named again (itself, or by another list) is not read again
    m_seen.insert(identity);
    const QString folder = QFileInfo(path).absolutePath();
    for (const QString &text : readEntries(path)) {
        if (m_stopped || !take(text, folder, depth))
            return;
    }
}

bool Expander::take(const QString &text, const QString &folder, int depth)
{
    if (m_found)
        handOver();
    if (cancelled() || ++m_examined > kMaxExamined) {
        m_result.truncated = m_result.truncated || !cancelled();
        m_stopped = true;
        return false;
    }
    const SourceLocation entry = SourceLocation::resolve(text, folder, m_files);
    if (!entry.mayOpen()) {
        if (m_firstFailure.isEmpty())
            m_firstFailure = entryFailureText(entry);
        return true;
    }
    if (entry.kind == SourceLocation::Kind::List) {
        if (depth < RamList::kMaxNesting)
            expandList(entry.location, depth + 1);
        return !m_stopped;
    }
    if (m_result.entries.size() == RamList::kMaxEntries) {
        m_result.truncated = true;
        m_stopped = true;
        return false;
    }
    m_result.entries << entry;
    return true;
}

void Expander::handOver()
{
    const qsizetype waiting = m_result.entries.size() - m_handedOver;
    if (waiting == 0)
        return;
    if (!m_clock.isValid())
        m_clock.start();
    const qsizetype step = m_handedOver == 0 ? kFirstStep : kNextStep;
    if (waiting < step && m_clock.elapsed() < m_nextHandOverMs)
        return;
    m_found(m_result.entries.sliced(m_handedOver));
    m_handedOver = m_result.entries.size();
    m_nextHandOverMs = m_clock.elapsed() + kNextStepMs;
}

} // namespace

RamList::Format RamList::formatOf(const QString &path)
{
    return QFileInfo(path).suffix().compare(u"pls", Qt::CaseInsensitive) == 0 ? Format::Pls
                                                                              : Format::Lines;
}

QStringList RamList::entries(const QStringList &lines, Format format)
{
    EntryCollector collector(format, kMaxEntries);
    for (const QString &line : lines) {
        if (!collector.add(line))
            break;
    }
    return collector.take();
}

QStringList RamList::entries(QStringView text, Format format, qsizetype maxEntries, bool *more)
{
    EntryCollector collector(format, maxEntries);
    const bool whole = TextFile::forEachLine(
        text, [&collector](QStringView line) { return collector.add(line); });
    if (more)
        *more = !whole;
    return collector.take();
}

RamList::Expansion RamList::expand(const QString &path)
{
    return expand(path, FileAccess::disk());
}

RamList::Expansion RamList::expand(const QString &path, const FileAccess &files,
    const std::atomic_bool *cancelled, const EntrySink &found)
{
    Expander expander(files, cancelled, found);
    expander.expandList(path, 1);
    const QString loneFailure = expander.loneFailure();
    Expansion result = expander.takeResult();
    if (!result.entries.isEmpty())
        result.error.clear();
    else if (result.error.isEmpty() && !loneFailure.isEmpty())
        result.error = loneFailure; // one item played through a list is still one item
    else if (result.error.isEmpty())
        result.error = Texts::kNoPlayableEntries.toString();
    return result;
}

RamList::Expansion RamList::expandSource(const QString &source)
{
    const SourceLocation location = SourceLocation::resolve(source);
    if (location.kind == SourceLocation::Kind::List)
        return expand(location.location);
    Expansion result;
    if (location.mayOpen())
        result.entries << location;
    else
        result.error = entryFailureText(location);
    return result;
}
