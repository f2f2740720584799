/* The interface between the player and its plug-ins. A plug-in is a shared object with the
 * extension ".qmp" in the player's folder; it links nothing of the player and reaches every
 * service through the base table handed to its InitPlugin.
 *
 * Records follow the host: pointers are pointers, numbers are 32-bit. Table slot orders are a
 * calling interface: slots are never reordered, new ones are only appended.
 *
 * Names (the plug-in's name, command and constant names, saver format names) are at most
 * QMPLUGIN_NAME_MAX bytes; a longer name is refused, never shortened. */
#ifndef QUILLMERE_QMPLUGIN_H
#define QUILLMERE_QMPLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define QMPLUGIN_NAME_MAX 255

/* The player's version, which InitPlugin may demand at most. */
#define QMPLUGIN_PLAYER_VERSION 5
#define QMPLUGIN_PLAYER_REVISION 0

/* Capability bits and the entry points each requires (all must be exported):
 *   SCRIPT       GetScript FreeScript
 *   LIBRARY      GetBaseTable GetCommands GetConstants InitLibrary FreeLibrary
 *   IMAGE        IsImage LoadImage GetImage FreeImage TransformImage
 *   ANIM         OpenAnim LoadFrame FreeFrame GetFrameDelay CloseAnim
 *   SOUND        OpenStream CloseStream SeekStream StreamSamples GetFormatName
 *   VECTOR       GetPathExtents DrawPath TranslatePath GetCurrentPoint CreateVectorFont
 *                FreeVectorFont OpenFont CloseFont
 *   VIDEO        OpenVideo CloseVideo NextPacket FreePacket DecodeVideoFrame DecodeAudioFrame
 *                SeekVideo FlushAudio FlushVideo GetVideoFrames GetVideoFormat
 *   IMAGESAVER   RegisterImageSaver SaveImage
 *   ANIMSAVER    RegisterAnimSaver BeginAnimStream WriteAnimFrame FinishAnimStream
 *   SAMPLESAVER  RegisterSampleSaver SaveSample
 * Every plug-in exports InitPlugin and ClosePlugin. */
#define QMPLUGIN_CAP_SCRIPT 0x1u
#define QMPLUGIN_CAP_LIBRARY 0x2u
#define QMPLUGIN_CAP_IMAGE 0x4u
#define QMPLUGIN_CAP_ANIM 0x8u
#define QMPLUGIN_CAP_SOUND 0x10u
#define QMPLUGIN_CAP_VECTOR 0x20u
#define QMPLUGIN_CAP_VIDEO 0x40u
#define QMPLUGIN_CAP_IMAGESAVER 0x80u
#define QMPLUGIN_CAP_ANIMSAVER 0x100u
#define QMPLUGIN_CAP_SAMPLESAVER 0x200u
#define QMPLUGIN_CAP_ALL 0x3FFu

struct qmState;

/* Filled by InitPlugin. required_version and required_revision arrive pre-set to 5 and 0. The
 * texts belong to the plug-in and must outlive it; name must equal the file name without its
 * ".qmp" (compared case-insensitively). */
typedef struct qmPluginInfo {
  uint32_t caps;
  int32_t version;
  int32_t revision;
  int32_t required_version;
  int32_t required_revision;
  const char* description;
  const char* name;
  const char* texts[7];
} qmPluginInfo;

typedef void (*qmPluginFunction)(void);

/* One font held inside the player: the default-font table lists the Bitstream Vera faces by their
 * sizes, 65932 (Sans), 49224 (Sans Mono) and 60280 (Serif) bytes. */
typedef struct qmPluginFontBlock {
  const void* address;
  size_t size;
} qmPluginFontBlock;

/* The base table. Each pointer names an array of functions; see the slot lists below. */
typedef struct qmPluginBase {
  int32_t version;  /* 5 */
  int32_t revision; /* 0 */
  const qmPluginFunction* strings;
  const qmPluginFunction* system;
  const qmPluginFunction* file;
  const qmPluginFunction* graphics;
  const qmPluginFunction* sound;
  const qmPluginFunction* requester;
  const qmPluginFunction* font;
  const qmPluginFunction* freetype;
  const qmPluginFunction* script;
  const qmPluginFontBlock* default_fonts; /* ended by an entry with a null address */
} qmPluginBase;

/* strings: slots 0..22 are empty and must not be called. */
#define QMPLUGIN_STR_CASE_CMP 23      /* int (const char*, const char*) */
#define QMPLUGIN_STR_CASE_NCMP 24     /* int (const char*, const char*, size_t) */
#define QMPLUGIN_STR_CHAR_LOWER 25    /* int (int) */
#define QMPLUGIN_STR_CHAR_UPPER 26    /* int (int) */
#define QMPLUGIN_STR_LOWER 27         /* void (char*) in place */
#define QMPLUGIN_STR_UPPER 28         /* void (char*) in place */
#define QMPLUGIN_STRINGS_SLOTS 32

/* system (13 slots) */
typedef struct qmPluginTag {
  uint32_t tag; /* 0 ends a list */
  intptr_t data;
} qmPluginTag;
typedef struct qmPluginTime {
  uint32_t seconds;
  uint32_t micros;
} qmPluginTime;
#define QMPLUGIN_SYS_TAG_COUNT 0      /* int32_t (qmPluginTag*): counts tags 25, zeroes their data */
#define QMPLUGIN_SYS_ADD_USER_ERROR 1 /* int32_t (const char* text): the new error code */
#define QMPLUGIN_SYS_SET_STRING_ARG 2 /* const char* (const char*) */
#define QMPLUGIN_SYS_SET_NUMBER_ARG 3 /* void (int32_t) */
#define QMPLUGIN_SYS_ERROR_TEXT 4     /* size_t (int32_t code, char* out, size_t size) */
#define QMPLUGIN_SYS_GET_TIME 5       /* void (qmPluginTime*) monotonic */
#define QMPLUGIN_SYS_TIME_SUB 6       /* void (qmPluginTime* a, const qmPluginTime* b) a -= b */
#define QMPLUGIN_SYS_TIME_ADD 7       /* void (qmPluginTime* a, const qmPluginTime* b) a += b */
#define QMPLUGIN_SYS_TIME_CMP 8       /* int32_t (const qmPluginTime*, const qmPluginTime*) */
#define QMPLUGIN_SYS_DELAY 9          /* int32_t (int64_t ms) */
#define QMPLUGIN_SYS_DATE_TEXT 10     /* int32_t (int32_t mode, char* out, size_t size): 1 when it fit */
#define QMPLUGIN_SYS_ALLOC 11         /* void* (size_t size, uint32_t flags): flags 1 = zero-filled */
#define QMPLUGIN_SYS_FREE 12          /* void (void*) */
#define QMPLUGIN_SYSTEM_SLOTS 13

/* file (23 slots). Handles and locks are opaque; names are the player's Latin-1 texts and may be
 * virtual names of linked files. */
typedef struct qmPluginFileRecord {
  int32_t is_dir;
  uint32_t size_low;
  uint32_t size_high;
  uint32_t protection;
} qmPluginFileRecord;
#define QMPLUGIN_FILE_OPEN 0        /* void* (const char* name, int32_t mode 0 read, 1 write, 2 both) */
#define QMPLUGIN_FILE_CLOSE 1       /* int32_t (void*) */
#define QMPLUGIN_FILE_SEEK 2        /* int64_t (void*, int32_t offset, int32_t mode 0 current, 1 start, 2 end): old position */
#define QMPLUGIN_FILE_READ 3        /* int64_t (void*, void* buffer, int64_t n) */
#define QMPLUGIN_FILE_WRITE 4       /* int64_t (void*, const void*, int64_t n) */
#define QMPLUGIN_FILE_READ_BYTE 5   /* int32_t (void*): -1 at the end */
#define QMPLUGIN_FILE_WRITE_BYTE 6  /* int32_t (void*, int32_t) */
#define QMPLUGIN_FILE_EOF 7         /* int32_t (void*) */
#define QMPLUGIN_FILE_DELETE 8      /* int32_t (const char*) */
#define QMPLUGIN_FILE_LOCK 9        /* void* (const char*, int32_t mode) */
#define QMPLUGIN_FILE_UNLOCK 10     /* void (void*) */
#define QMPLUGIN_FILE_LOCK_NAME 11  /* int32_t (void*, char* out, size_t size) */
#define QMPLUGIN_FILE_EXAMINE 12    /* int32_t (void*, qmPluginFileRecord*) */
#define QMPLUGIN_FILE_LOCK_IS_DIR 13 /* int32_t (void*, int32_t* is_dir): 0 or an error code */
#define QMPLUGIN_FILE_NOP 14        /* void (void) */
#define QMPLUGIN_FILE_DIR_NEXT 15   /* int32_t (void*, char* name, size_t size, qmPluginFileRecord*) */
#define QMPLUGIN_FILE_MKDIR 16      /* int32_t (const char*) */
#define QMPLUGIN_FILE_RENAME 17     /* int32_t (const char*, const char*) */
#define QMPLUGIN_FILE_CURRENT_DIR 18 /* int32_t (char* out, size_t size) */
#define QMPLUGIN_FILE_TEMP_NAME 19  /* int32_t (char* out, size_t size) */
#define QMPLUGIN_FILE_ADD_PART 20   /* int32_t (char* path, size_t size, const char* name) */
#define QMPLUGIN_FILE_FILE_PART 21  /* const char* (const char* path) */
#define QMPLUGIN_FILE_BASENAME 22   /* int32_t (const char* path, char* out, size_t size) */
#define QMPLUGIN_FILE_SLOTS 23

/* graphics (6). Pictures are read by every reader the player has (linked files included) and
 * handed out as width x height words 0xAABBGGRR, rows packed (alpha 0xFF for a picture without
 * alpha); the picture is its pixel block. A missing or unreadable file, or a picture larger than
 * the player allows, gives 0 and no block. */
#define QMPLUGIN_GFX_PICTURE_INFO 0   /* int32_t (const char* name, int32_t* width, int32_t* height, int32_t* has_alpha): 1 when readable */
#define QMPLUGIN_GFX_PICTURE_LOAD 1   /* void* (const char* name, int32_t* width, int32_t* height, int32_t* has_alpha) */
#define QMPLUGIN_GFX_PICTURE_PIXELS 2 /* uint32_t* (void* picture) */
#define QMPLUGIN_GFX_PICTURE_FREE 3   /* void (void* picture) */
#define QMPLUGIN_GFX_BRUSH_LOCK 4     /* int32_t (int32_t brush, uint32_t flags 0, qmPluginBrushLock*): 1, or 0 with the record zeroed */
#define QMPLUGIN_GFX_BRUSH_UNLOCK 5   /* void (qmPluginBrushLock*) */
#define QMPLUGIN_GRAPHICS_SLOTS 6
/* A locked brush: its bitmap (words 0xBBGGRR00 in host order, that is the bytes of a pixel are a
 * spare byte, red, green and blue in memory; rows bytes_per_row apart), its 1-bit mask plane
 * (bit 7 of a row's first byte is its first pixel; a set bit is visible) and its 8-bit alpha
 * plane, each plane null when the brush has none. Until it is unlocked through the same record
 * the brush cannot be changed or freed. */
typedef struct qmPluginBrushLock {
  void* pixels;
  int32_t width;
  int32_t height;
  int32_t bytes_per_row;
  int32_t bytes_per_pixel; /* 4 */
  void* mask;
  int32_t mask_bytes_per_row;
  void* alpha;
  int32_t alpha_bytes_per_row;
  void* brush; /* the player's own */
} qmPluginBrushLock;
/* sound (2) */
#define QMPLUGIN_SND_SAMPLE_LOCK 0   /* int32_t (int32_t sample, int32_t copy, uint32_t flags 0, qmPluginSampleLock*): 1, or 0 with the record zeroed */
#define QMPLUGIN_SND_SAMPLE_UNLOCK 1 /* void (qmPluginSampleLock*) */
#define QMPLUGIN_SOUND_SLOTS 2
/* A locked sample: its frames (left and right interleaved for stereo), or with copy 1 a copy of
 * them that the unlock frees. A sample that is playing cannot be locked; until it is unlocked
 * through the same record it cannot be changed or freed. */
#define QMPLUGIN_SAMPLE_BIG_ENDIAN 1 /* 16-bit values are big-endian */
#define QMPLUGIN_SAMPLE_SIGNED 2
typedef struct qmPluginSampleLock {
  void* data;
  int32_t bytes;
  int32_t frames;
  int32_t channels;         /* 1 or 2 */
  int32_t bytes_per_value;  /* 1 or 2 */
  uint32_t flags;           /* QMPLUGIN_SAMPLE_* */
  int32_t pitch;            /* frames a second */
  int32_t copy;
  void* sample; /* the player's own */
} qmPluginSampleLock;
/* requester (3). Texts are Latin-1. A chosen path that does not fit into size bytes gives 0 and
 * an empty text. */
#define QMPLUGIN_REQ_SYSTEM 0 /* int32_t (const char* title, const char* text, const char* buttons): the button */
#define QMPLUGIN_REQ_FILE 1   /* int32_t (const char* title, char* out, size_t size): 1 chosen, 0 cancelled */
#define QMPLUGIN_REQ_PATH 2   /* int32_t (const char* title, char* out, size_t size): 1 chosen, 0 cancelled */
#define QMPLUGIN_REQUESTER_SLOTS 3
/* font (1) */
#define QMPLUGIN_FONT_SLOTS 1
/* The text library's font open: 0 with *font set (a font the player keeps open until it exits),
 * or an error code. engine 0 (bitmap fonts, then the system's) or 4 (TrueType through FreeType);
 * cache 1 keeps rendered glyphs; linked 1 when name is a linked font's virtual name. */
#define QMPLUGIN_FONT_OPEN 0 /* int32_t (const char* name, int32_t size, int32_t engine, int32_t cache, int32_t linked, void** font) */
/* FreeType's own functions, in this order: Init_FreeType, Done_FreeType, New_Face,
 * New_Memory_Face, Load_Glyph, Render_Glyph, Get_Glyph, Done_Glyph, Outline_Transform,
 * Outline_Translate, Outline_Get_Bitmap, Outline_Get_CBox, Outline_Decompose, Done_Face,
 * Get_Char_Index, Get_First_Char, Get_Next_Char, Set_Transform, Set_Charmap, Set_Pixel_Sizes,
 * Set_Char_Size, MulFix, Vector_Transform, Get_Kerning, Get_Sfnt_Table, Load_Sfnt_Table. */
#define QMPLUGIN_FREETYPE_SLOTS 26
/* The script table: 67 functions, then a null entry. Slot 56 reads an object id: */
#define QMPLUGIN_SCRIPT_SLOTS 67
typedef struct qmPluginIdPair {
  int32_t number; /* set when the id is a number */
  void* handle;   /* set when the id is a handle (then number is 0) */
} qmPluginIdPair;

/* Library plug-ins. A command returns the number of results it pushed, or an error code. */
typedef int32_t (*qmPluginCommandFn)(struct qmState*);
typedef struct qmPluginCommand {
  const char* name; /* null ends the list */
  qmPluginCommandFn func;
} qmPluginCommand;
typedef struct qmPluginConstant {
  const char* name; /* null ends the list */
  const char* text; /* a text constant, or null for a number */
  double number;
} qmPluginConstant;

/* Savers fill their record in Register*Saver; scripts name the format through the constant
 * "imgfmt_", "anmfmt_" or "smpfmt_" followed by the lower-cased format name. */
typedef struct qmPluginSaverRecord {
  uint32_t flags;
  uint32_t format_id;
  const char* format_name;
} qmPluginSaverRecord;

/* Flags of an image saver's record: the saver takes 32-bit ARGB pictures (without this bit
 * 8-bit palette pictures), and it keeps their alpha. */
#define QMPLUGIN_SAVER_ARGB 0x1u
#define QMPLUGIN_SAVER_ALPHA 0x2u

/* The picture handed to SaveImage, zeroed first. */
typedef struct qmPluginImageRequest {
  void* pixels;          /* 0xAARRGGBB words, or one palette index a byte */
  uint32_t* palette;     /* 0xRRGGBB words of a palette picture, else null */
  int32_t width;
  int32_t height;
  int32_t bytes_per_row; /* width for a palette picture, width x 4 for ARGB */
  int32_t is_palette;
  int32_t quality;
  int32_t colours;       /* palette entries; 0 for ARGB */
  int32_t transparent;   /* with QMPLUGIN_IMAGE_TRANSPARENT: the last palette entry */
  uint32_t flags;        /* QMPLUGIN_IMAGE_* */
} qmPluginImageRequest;
#define QMPLUGIN_IMAGE_ALPHA 0x1u       /* ARGB pixels whose alpha counts */
#define QMPLUGIN_IMAGE_TRANSPARENT 0x2u /* a palette picture with a transparent entry */

/* Flags of an anim saver's record: QMPLUGIN_SAVER_ARGB (0x1) asks for 0xAARRGGBB frames instead
 * of palette frames; QMPLUGIN_ANIMSAVER_ALPHA lets their alpha come from a frame's alpha plane. */
#define QMPLUGIN_ANIMSAVER_ALPHA 0x4u

/* One frame handed to WriteAnimFrame, zeroed first. ARGB pixels outside a frame's mask have
 * alpha 0. The delay is in milliseconds. */
typedef struct qmPluginAnimFrame {
  void* pixels;          /* 0xAARRGGBB words, or one palette index a byte */
  uint32_t* palette;     /* 0xRRGGBB words of a palette frame, else null */
  int32_t bytes_per_row; /* width x 4 for ARGB, width for indices */
  int32_t colours;       /* palette entries; 0 for ARGB */
  int32_t transparent;   /* with QMPLUGIN_FRAME_TRANSPARENT: the transparent palette entry */
  int32_t delay;
  uint32_t flags;        /* QMPLUGIN_FRAME_* */
} qmPluginAnimFrame;
#define QMPLUGIN_FRAME_ALPHA 0x1u       /* the ARGB alpha comes from the frame's alpha plane */
#define QMPLUGIN_FRAME_TRANSPARENT 0x2u /* the transparent entry is valid */

/* Anim savers. BeginAnimStream answers the plug-in's handle for a new file (palette is 1 when
 * the frames will be palette frames), or null; WriteAnimFrame answers non-zero on success;
 * FinishAnimStream completes the file and releases the handle. */
typedef void* (*qmPluginBeginAnimStreamFn)(const char* file, int32_t width, int32_t height,
                                           int32_t palette, int32_t quality, int32_t fps);
typedef int32_t (*qmPluginWriteAnimFrameFn)(void* handle, qmPluginAnimFrame* frame);
typedef void (*qmPluginFinishAnimStreamFn)(void* handle);

/* Entry points the player calls directly. */
/* Image loaders. The loader reports a picture in the info record: its size, the distance of
 * its rows in pixels, whether the top byte of its 0xAARRGGBB pixels is alpha, whether the player
 * must make an alpha plane, and type 1 for a vector picture (rendered on demand at any transform
 * by TransformImage, matrix row by row, then the translation). */
typedef struct qmPluginImageInfo {
  int32_t width;
  int32_t height;
  int32_t pixels_per_row;
  int32_t has_alpha;
  int32_t alpha_required;
  int32_t type;
  int32_t reserved[10];
} qmPluginImageInfo;
typedef struct qmPluginTransformInfo {
  double matrix[4];
  double tx;
  double ty;
} qmPluginTransformInfo;
typedef int32_t (*qmPluginIsImageFn)(const char* name, qmPluginImageInfo* info);
typedef void* (*qmPluginLoadImageFn)(const char* name, qmPluginImageInfo* info);
typedef uint32_t* (*qmPluginGetImageFn)(void* handle, qmPluginImageInfo* info);
typedef void (*qmPluginFreeImageFn)(void* handle);
typedef int32_t (*qmPluginTransformImageFn)(void* handle, qmPluginTransformInfo* info,
                                            int32_t width, int32_t height);

/* Anim loaders. OpenAnim answers its own handle, or null when it does not take the file, and
 * reports the frame size and count; LoadFrame answers a frame of width x height 0x00RRGGBB words,
 * rows packed, and reports its size again in the record (a frame of another size is handed back
 * unused); FreeFrame takes every frame back. Delays are milliseconds. */
typedef struct qmPluginAnimInfo {
  int32_t width;
  int32_t height;
  int32_t reserved; /* the plug-in's own */
  int32_t frames;
  int32_t spare[4];
} qmPluginAnimInfo;
typedef void* (*qmPluginOpenAnimFn)(const char* name, qmPluginAnimInfo* info);
typedef uint32_t* (*qmPluginLoadFrameFn)(void* handle, int32_t index, qmPluginAnimInfo* info);
typedef void (*qmPluginFreeFrameFn)(uint32_t* frame);
typedef int32_t (*qmPluginGetFrameDelayFn)(void* handle, int32_t index);
typedef void (*qmPluginCloseAnimFn)(void* handle);

/* Sound-stream plug-ins. OpenStream fills the info of a file it reads and answers its handle, or
 * 0 when it does not read the file. Frames are interleaved (left, right), 8-bit or 16-bit. */
typedef struct qmPluginStreamInfo {
  int32_t frames;
  int32_t channels; /* 1 or 2 */
  int32_t bits;     /* 8 or 16 */
  int32_t rate;     /* frames a second */
  uint32_t flags;   /* QMPLUGIN_STREAM_* */
} qmPluginStreamInfo;
#define QMPLUGIN_STREAM_BIG_ENDIAN 0x1u /* 16-bit values are big-endian */
#define QMPLUGIN_STREAM_SIGNED 0x2u
#define QMPLUGIN_STREAM_SEEKABLE 0x4u
/* A read: StreamSamples writes up to `frames` frames into buffer and reports how many it wrote,
 * and whether the stream has ended. */
typedef struct qmPluginStreamRequest {
  void* buffer;
  int32_t frames;
  int32_t delivered;
  int32_t end;
} qmPluginStreamRequest;
typedef void* (*qmPluginOpenStreamFn)(const char* name, qmPluginStreamInfo* info);
typedef void (*qmPluginCloseStreamFn)(void* handle);
typedef void (*qmPluginSeekStreamFn)(void* handle, int32_t frame);
typedef void (*qmPluginStreamSamplesFn)(void* handle, qmPluginStreamRequest* request);
typedef const char* (*qmPluginGetFormatNameFn)(void* handle);

typedef int32_t (*qmPluginInitFn)(qmPluginInfo* info, const qmPluginBase* base, const char* path);
typedef void (*qmPluginCloseFn)(void);
typedef const char* (*qmPluginGetBaseTableFn)(void);
typedef const qmPluginCommand* (*qmPluginGetCommandsFn)(void);
typedef const qmPluginConstant* (*qmPluginGetConstantsFn)(void);
typedef int32_t (*qmPluginInitLibraryFn)(struct qmState*);
typedef void (*qmPluginFreeLibraryFn)(struct qmState*);
typedef void (*qmPluginRegisterSaverFn)(qmPluginSaverRecord* record);
/* Writes the picture to the file; 0 on failure. */
typedef int32_t (*qmPluginSaveImageFn)(const char* file, qmPluginImageRequest* request);

#ifdef __cplusplus
}
#endif

#endif
