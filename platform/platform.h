// The platform layer: everything the player needs from the host system that is not plain POSIX
// file work (that is runtime/os). One implementation for Linux.
#pragma once

#include <cstdint>
#include <string>

// Waits about ms milliseconds while serving the host's events. Returns 0, or the first error met
// while serving events, or ERR_USERABORT when the program was asked to quit during the wait.
int32_t platform_wait_ms(int64_t ms);

// Date and time texts of the local wall clock: mode 0 the short date, 2 "HH:MM:SS", 3 the weekday
// name; also fills the numbers used by the date commands when the pointers are given.
struct qmDateParts {
  int32_t year;    // four digits
  int32_t month;   // 1-12
  int32_t day;     // 1-31
  int32_t hour, minute, second;
};
std::string platform_format_date(int32_t mode);
void platform_get_date_parts(qmDateParts* parts);

// Physical memory of the host in bytes.
uint64_t platform_get_physical_memory();

// Debug output goes to standard output.
void platform_debug_write(const char* text, size_t len);

// The folder that holds the running executable (with a trailing "/"), and the executable itself.
const std::string& platform_executable_path();
const std::string& platform_executable_folder();

// ---- process services ---------------------------------------------------------------------------

struct qmState;

// Start and end of the platform layer: the first step of start-up and the last of the exit.
int32_t platform_init();
void platform_exit();

// Runs the loaded main chunk (the function on top of the stack) in protected mode with no
// arguments and no results; 0 or the program's error code.
int32_t platform_run_main_chunk(qmState* L);

// Formatted debug output on standard output.
void platform_debug_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A new, empty temporary file made with mkstemp; its name (host form) goes into *name. 1 on
// success, 0 when no file could be made.
int32_t platform_tmpnam(std::string* name);

// Recursive mutexes: a thread that holds one may lock it again. trylock answers 1 when the mutex
// was taken, 0 when another thread holds it. create gives null when memory runs out.
struct qmMutex;
qmMutex* platform_mutex_create();
void platform_mutex_free(qmMutex* m);
void platform_mutex_lock(qmMutex* m);
int32_t platform_mutex_trylock(qmMutex* m);
void platform_mutex_unlock(qmMutex* m);
