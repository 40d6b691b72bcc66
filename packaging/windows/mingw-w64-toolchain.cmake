# Cross-builds for 64-bit Windows with Debian's mingw-w64 in its posix thread
# model, which Qt's and the standard library's threads need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRIVEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TRIVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRIVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TRIVEX_MINGW_TRIPLE}-windres)

# Windows libraries come from the mingw sysroot and the prefixes named in
# CMAKE_PREFIX_PATH; host programs from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TRIVEX_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
