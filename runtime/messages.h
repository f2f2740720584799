// The built-in message table and the message ids that the runtime uses outside the error codes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

struct MessageRow {
  int32_t id;
  const char* text;
};

extern const MessageRow kMessages[];
extern const size_t kMessageCount;

inline constexpr int32_t MSG_UNKNOWN_CODE = 91;
inline constexpr int32_t MSG_CURRENT_LINE = 92;
inline constexpr int32_t MSG_OK = 94;
inline constexpr int32_t MSG_DONE = 95;
inline constexpr int32_t MSG_OPENING_SCRIPT = 97;
inline constexpr int32_t MSG_LOADING_ANIM = 98;
inline constexpr int32_t MSG_PREPARING_DISPLAY = 99;
inline constexpr int32_t MSG_LOADING_BGPIC = 100;
inline constexpr int32_t MSG_LOADING_BRUSH = 101;
inline constexpr int32_t MSG_COMPILING_SCRIPT = 106;
inline constexpr int32_t MSG_LOADING_PLUGIN = 107;
inline constexpr int32_t MSG_FAILED = 108;
inline constexpr int32_t MSG_LOADING_SAMPLE = 109;
inline constexpr int32_t MSG_FILE = 194;
inline constexpr int32_t MSG_LOADING_SPRITE = 262;
inline constexpr int32_t MSG_LOADING_MUSIC = 278;
inline constexpr int32_t MSG_IN_FUNCTION = 280;
inline constexpr int32_t MSG_LOADING_APPLET = 287;
inline constexpr int32_t MSG_CANCEL = 307;
inline constexpr int32_t MSG_YES = 338;
inline constexpr int32_t MSG_NO = 339;
inline constexpr int32_t MSG_ERROR = 402;
inline constexpr int32_t MSG_LOADING_VIDEO = 604;
inline constexpr int32_t MSG_PLUGIN_REASON = 616;

}  // namespace qm
