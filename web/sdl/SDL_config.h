/* SDL_config.h -- SDL 1.2 configured for the browser build of Velkaro.
 *
 * One thread, emscripten's C library, and the dummy driver slots of video,
 * audio, joystick and timer filled with the browser back end of this folder
 * (canvas, Web Audio, Gamepad API, page clock). Blits take SDL's plain C
 * paths, as there is no assembly in WebAssembly. */
#ifndef _SDL_config_h
#define _SDL_config_h

#include "SDL_platform.h"

#define SIZEOF_VOIDP 4
#define HAVE_LIBC 1
#define HAVE_SYS_TYPES_H 1
#define HAVE_STDIO_H 1
#define STDC_HEADERS 1
#define HAVE_STDLIB_H 1
#define HAVE_STDARG_H 1
#define HAVE_MALLOC_H 1
#define HAVE_MEMORY_H 1
#define HAVE_STRING_H 1
#define HAVE_STRINGS_H 1
#define HAVE_INTTYPES_H 1
#define HAVE_STDINT_H 1
#define HAVE_CTYPE_H 1
#define HAVE_MATH_H 1
#define HAVE_MALLOC 1
#define HAVE_CALLOC 1
#define HAVE_REALLOC 1
#define HAVE_FREE 1
#define HAVE_GETENV 1
#define HAVE_PUTENV 1
#define HAVE_UNSETENV 1
#define HAVE_QSORT 1
#define HAVE_ABS 1
#define HAVE_BCOPY 1
#define HAVE_MEMSET 1
#define HAVE_MEMCPY 1
#define HAVE_MEMMOVE 1
#define HAVE_MEMCMP 1
#define HAVE_STRLEN 1
#define HAVE_STRDUP 1
#define HAVE_STRCHR 1
#define HAVE_STRRCHR 1
#define HAVE_STRSTR 1
#define HAVE_STRTOL 1
#define HAVE_STRTOUL 1
#define HAVE_STRTOLL 1
#define HAVE_STRTOULL 1
#define HAVE_STRTOD 1
#define HAVE_ATOI 1
#define HAVE_ATOF 1
#define HAVE_STRCMP 1
#define HAVE_STRNCMP 1
#define HAVE_STRCASECMP 1
#define HAVE_STRNCASECMP 1
#define HAVE_SSCANF 1
#define HAVE_SNPRINTF 1
#define HAVE_VSNPRINTF 1

#define SDL_AUDIO_DRIVER_DUMMY 1 /* audio_web.c */
#define SDL_CDROM_DISABLED 1
#define SDL_JOYSTICK_DUMMY 1 /* joystick_web.c */
#define SDL_LOADSO_DISABLED 1
#define SDL_THREADS_DISABLED 1
#define SDL_TIMERS_DISABLED 1    /* no timer callbacks; ticks and delay in timer_web.c */
#define SDL_VIDEO_DRIVER_DUMMY 1 /* video_web.c */

#endif /* _SDL_config_h */
