// FFmpeg's libraries, loaded when a sound file or a movie first needs them rather than when the
// player starts: linked in, they and their own dependencies (about ninety more shared objects)
// cost every start several times the rest of the player's start-up.
//
// The sound-file and movie code calls FFmpeg only through `ff`, after `ffmpeg_load()` answered
// true. The player links none of FFmpeg, so a direct call fails to link.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <string>

namespace qm {

// The functions used, each with the library (an `FFmpegLibraryIndex`) that exports it.
#define QM_FFMPEG_FUNCTIONS(X)                  \
  X(AVUTIL, av_channel_layout_compare)          \
  X(AVUTIL, av_channel_layout_copy)             \
  X(AVUTIL, av_channel_layout_default)          \
  X(AVUTIL, av_channel_layout_uninit)           \
  X(AVUTIL, av_dict_free)                       \
  X(AVUTIL, av_dict_set)                        \
  X(AVUTIL, av_frame_alloc)                     \
  X(AVUTIL, av_frame_free)                      \
  X(AVUTIL, av_frame_move_ref)                  \
  X(AVUTIL, av_frame_unref)                     \
  X(AVUTIL, av_free)                            \
  X(AVUTIL, av_freep)                           \
  X(AVUTIL, av_log_set_level)                   \
  X(AVUTIL, av_malloc)                          \
  X(AVUTIL, av_rescale)                         \
  X(AVUTIL, av_rescale_q)                       \
  X(AVUTIL, av_rescale_q_rnd)                   \
  X(SWRESAMPLE, swr_alloc_set_opts2)            \
  X(SWRESAMPLE, swr_convert)                    \
  X(SWRESAMPLE, swr_free)                       \
  X(SWRESAMPLE, swr_get_out_samples)            \
  X(SWRESAMPLE, swr_init)                       \
  X(SWSCALE, sws_freeContext)                   \
  X(SWSCALE, sws_getCachedContext)              \
  X(SWSCALE, sws_scale)                         \
  X(AVCODEC, av_packet_alloc)                   \
  X(AVCODEC, av_packet_free)                    \
  X(AVCODEC, av_packet_unref)                   \
  X(AVCODEC, avcodec_alloc_context3)            \
  X(AVCODEC, avcodec_find_decoder)              \
  X(AVCODEC, avcodec_flush_buffers)             \
  X(AVCODEC, avcodec_free_context)              \
  X(AVCODEC, avcodec_open2)                     \
  X(AVCODEC, avcodec_parameters_to_context)     \
  X(AVCODEC, avcodec_receive_frame)             \
  X(AVCODEC, avcodec_send_packet)               \
  X(AVFORMAT, av_find_best_stream)              \
  X(AVFORMAT, av_read_frame)                    \
  X(AVFORMAT, av_seek_frame)                    \
  X(AVFORMAT, avformat_alloc_context)           \
  X(AVFORMAT, avformat_close_input)             \
  X(AVFORMAT, avformat_find_stream_info)        \
  X(AVFORMAT, avformat_index_get_entries_count) \
  X(AVFORMAT, avformat_index_get_entry)         \
  X(AVFORMAT, avformat_open_input)              \
  X(AVFORMAT, avformat_seek_file)               \
  X(AVFORMAT, avio_alloc_context)               \
  X(AVFORMAT, avio_context_free)

// The libraries in their loading order (each after those it needs).
enum FFmpegLibraryIndex { AVUTIL, SWRESAMPLE, SWSCALE, AVCODEC, AVFORMAT, FFMPEG_LIBRARY_COUNT };

struct FFmpegLibrary {
#define QM_FFMPEG_MEMBER(lib, name) decltype(&::name) name = nullptr;
  QM_FFMPEG_FUNCTIONS(QM_FFMPEG_MEMBER)
#undef QM_FFMPEG_MEMBER
};

// The sonames of the major versions the player was built against ("libavcodec.so.59", ...).
extern const char* const kFFmpegSonames[FFMPEG_LIBRARY_COUNT];

// Opens the libraries by these names and fills `out`: true, or false with the reason in `why`
// (what failed to open, or the function missing). Loaded libraries stay loaded; a failed load
// closes again what it opened.
bool ffmpeg_load_from(const char* const sonames[FFMPEG_LIBRARY_COUNT], FFmpegLibrary* out,
                      std::string* why);

// Loads FFmpeg once for the process (any thread may ask) and silences its log. False when it
// cannot be loaded: the first caller says why on stderr, and sound files and movies that need
// FFmpeg are then refused as files that cannot be read. QM_FFMPEG_LIBAVFORMAT names another
// soname for libavformat (for tests of that refusal).
bool ffmpeg_load();

// The functions, valid once ffmpeg_load() answered true.
extern const FFmpegLibrary& ff;

}  // namespace qm
