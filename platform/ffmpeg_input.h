// A demuxer over the caller's read and seek calls, for the sound files and movies that FFmpeg
// opens: only the demuxers of an allow-list, and no protocol, so no file may open a second file
// or a URL.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/audiofile.h"
#include "platform/ffmpeg_lib.h"

namespace qm {

struct FFmpegInput {
  qmAudioFileIO io;
  int64_t pos = 0;
  AVIOContext* avio = nullptr;
  AVFormatContext* fmt = nullptr;
};

// Opens the demuxer (FFmpeg loaded) from the start of the file: 0, 1000, or `refused` when no demuxer of the
// comma-separated allow-list takes the file (everything undone).
int32_t ffmpeg_input_open(FFmpegInput* in, const char* allowed, int32_t refused);
void ffmpeg_input_close(FFmpegInput* in);
// A demuxer (the first name of FFmpeg's list) and the name the player reports for its format.
struct FFmpegFormatName {
  const char* demuxer;
  const char* name;
};
// The table's name for the open demuxer, or "Unknown".
const char* ffmpeg_format_name(const AVFormatContext* fmt, const FFmpegFormatName* table, size_t count);

}  // namespace qm
