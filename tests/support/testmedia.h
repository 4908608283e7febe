#pragma once

#include <QString>

// Generates test media with the ffmpeg command line into a folder.
namespace TestMedia {

enum class Kind { Mp3, Mp2, RealAudioAc3, RealAudio144, RealVideo };

// Writes a tone of the given length; returns false when ffmpeg fails.
bool generate(Kind kind, const QString &path, int seconds = 3);

} // namespace TestMedia
