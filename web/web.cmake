# web.cmake -- the browser edition, included by the top-level file when
# VELKARO_WEB is on (configured with emcmake by scripts/web.sh).
#
# SDL 1.2 and SDL_mixer 1.2 are built from Debian's source packages, with the
# browser back end of web/sdl in SDL's dummy driver slots; web/gfx and
# web/image stand in for SDL_gfx and SDL_image. The targets PkgConfig::SDL and
# PkgConfig::SDLMIXER carry them, so the game's library and program build
# from the same files and lines as on the desktop.

enable_language(C)
set(VELKARO_SDL_SOURCE "" CACHE PATH "Debian's libsdl1.2 source tree")
set(VELKARO_MIXER_SOURCE "" CACHE PATH "Debian's sdl-mixer1.2 source tree")
set(VELKARO_WEB_OUT ${CMAKE_BINARY_DIR}/.. CACHE PATH "Where the page, its script, wasm and data go")
set(WEB_DIR ${CMAKE_SOURCE_DIR}/web)

# SDL's public headers with this build's configuration in place of SDL's own.
set(WEB_SDL_INCLUDE ${CMAKE_BINARY_DIR}/sdl-include/SDL)
file(GLOB WEB_SDL_HEADERS ${VELKARO_SDL_SOURCE}/include/*.h)
file(COPY ${WEB_SDL_HEADERS} ${VELKARO_MIXER_SOURCE}/SDL_mixer.h DESTINATION ${WEB_SDL_INCLUDE})
file(COPY ${WEB_DIR}/sdl/SDL_config.h DESTINATION ${WEB_SDL_INCLUDE})

set(S ${VELKARO_SDL_SOURCE}/src)
file(GLOB WEB_SDL_SOURCES
  ${S}/*.c ${S}/audio/*.c ${S}/cdrom/*.c ${S}/cpuinfo/*.c ${S}/events/*.c ${S}/file/*.c
  ${S}/joystick/*.c ${S}/stdlib/*.c ${S}/thread/*.c ${S}/thread/generic/*.c ${S}/timer/*.c
  ${S}/video/*.c ${S}/loadso/dummy/*.c ${WEB_DIR}/sdl/*.c)
list(REMOVE_ITEM WEB_SDL_SOURCES ${S}/video/SDL_yuv_mmx.c ${WEB_DIR}/sdl/main_web.c)
add_library(web_sdl STATIC ${WEB_SDL_SOURCES})
target_include_directories(web_sdl PUBLIC ${WEB_SDL_INCLUDE} PRIVATE ${S})
target_compile_options(web_sdl PRIVATE -w -O2)

add_library(web_mixer STATIC
  ${VELKARO_MIXER_SOURCE}/mixer.c ${VELKARO_MIXER_SOURCE}/music.c ${VELKARO_MIXER_SOURCE}/effect_position.c
  ${VELKARO_MIXER_SOURCE}/effect_stereoreverse.c ${VELKARO_MIXER_SOURCE}/effects_internal.c
  ${VELKARO_MIXER_SOURCE}/load_aiff.c ${VELKARO_MIXER_SOURCE}/load_voc.c)
target_link_libraries(web_mixer PUBLIC web_sdl)
target_compile_options(web_mixer PRIVATE -w -O2)

add_library(web_gfx STATIC ${WEB_DIR}/gfx/gfx_calls.c ${WEB_DIR}/image/image_web.c)
target_include_directories(web_gfx PUBLIC ${WEB_DIR}/gfx ${WEB_DIR}/image)
target_link_libraries(web_gfx PUBLIC web_sdl)

add_library(PkgConfig::SDL INTERFACE IMPORTED)
target_link_libraries(PkgConfig::SDL INTERFACE web_gfx web_sdl)
add_library(PkgConfig::SDLMIXER INTERFACE IMPORTED)
target_link_libraries(PkgConfig::SDLMIXER INTERFACE web_mixer)

# The program's link: asyncify lets the game's frame loop sleep in SDL_Delay;
# IDBFS keeps the records; the page (web/page) starts it (velkaro_web_main)
# once the data is in.
set(WEB_LINK_OPTIONS
  -sASYNCIFY -sASYNCIFY_IMPORTS=[velkaro_web_sleep] -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728
  -sINVOKE_RUN=0 -sEXIT_RUNTIME=0 -sFORCE_FILESYSTEM=1 -lidbfs.js
  -sEXPORTED_FUNCTIONS=[_main,_malloc,_free,_velkaro_audio_fill,_velkaro_web_main]
  -sEXPORTED_RUNTIME_METHODS=[FS,IDBFS,HEAPU8,addRunDependency,removeRunDependency]
  --js-library ${WEB_DIR}/sdl/library_velkaro.js)

function(velkaro_web_targets)
  set_target_properties(velkaro PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${VELKARO_WEB_OUT})
  target_sources(velkaro PRIVATE ${WEB_DIR}/sdl/main_web.c)
  target_link_options(velkaro PRIVATE ${WEB_LINK_OPTIONS})
  set_property(TARGET velkaro APPEND PROPERTY LINK_DEPENDS ${WEB_DIR}/sdl/library_velkaro.js)
  file(GLOB page_files CONFIGURE_DEPENDS ${WEB_DIR}/page/*)
  add_custom_target(web_page ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${page_files} ${VELKARO_WEB_OUT}
    DEPENDS ${page_files} COMMENT "Copying the page")

  # The core's rival replay (tests/core), compiled by this toolchain and run
  # by node on the real file system: the rules in wasm must give the shipped
  # runs as the native build does.
  add_executable(velkaro_core_replay ${CMAKE_SOURCE_DIR}/tests/core/core_replay.cpp)
  target_link_libraries(velkaro_core_replay PRIVATE velkaro_core)
  target_link_options(velkaro_core_replay PRIVATE -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
  set_target_properties(velkaro_core_replay PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${VELKARO_WEB_OUT}/tests)

  # The autopilot's kit, for the race frame benchmark below.
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/coursekit ${CMAKE_BINARY_DIR}/tools/coursekit)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/autopilot ${CMAKE_BINARY_DIR}/tools/autopilot)
  set_target_properties(velkaro_autopilot PROPERTIES EXCLUDE_FROM_ALL TRUE)

  # The race frame benchmark, run in a page of its own (web/bench/bench.html).
  add_executable(velkaro_race_bench ${WEB_DIR}/bench/race_bench.cpp)
  target_link_libraries(velkaro_race_bench PRIVATE velkaro_autopilotkit)
  target_link_options(velkaro_race_bench PRIVATE -sASYNCIFY -sASYNCIFY_IMPORTS=[velkaro_web_sleep]
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728 -sINVOKE_RUN=0 -sFORCE_FILESYSTEM=1
    -sEXPORTED_RUNTIME_METHODS=[FS,callMain] --js-library ${WEB_DIR}/sdl/library_velkaro.js)
  set_target_properties(velkaro_race_bench PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${VELKARO_WEB_OUT}/bench)
  add_custom_target(web_bench_page ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${WEB_DIR}/bench/bench.html ${VELKARO_WEB_OUT}/bench/bench.html
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/tools/autopilot/rivals ${VELKARO_WEB_OUT}/bench/keys
    DEPENDS ${WEB_DIR}/bench/bench.html)
endfunction()
