#pragma once

#include "core/media/mediaengine.h"

#include <QString>

// What the engine's display shows: a snapshot of the playback state.
struct PlaybackStatus
{
    MediaEngine::PlaybackState state = MediaEngine::Stopped;
    int bufferPercent = 0;
    QString title;
    QString errorText; // set when the last source failed
    qint64 elapsed = -1; // seconds, -1 when unknown
    qint64 duration = -1; // seconds, -1 when unknown or live
    bool hasVideo = false;
    int entry = -1; // zero-based entry of a list
    int entries = 0;
    bool listTruncated = false; // the list was longer than the engine plays

    bool operator==(const PlaybackStatus &other) const = default;

    // 正在连接, 缓冲 NN%, 正在播放, 已暂停, 已停止 or 错误: ...
    QString stateText() const;
    // "01:23 / 03:45", or only the elapsed time when there is no total.
    QString timeText() const;
    // "第 2/3 首" for lists of more than one entry, and a word on a list
    // that was cut short.
    QString entryText() const;

    static QString clock(qint64 seconds);
};
