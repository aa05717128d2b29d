# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix thread model, which Qt needs).
# Used both to build Qt for Windows (scripts/windows-qt.sh) and to build Mezolin.exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The Windows Qt that scripts/windows-qt.sh installs, once it is there. Its host tools (moc, uic,
# rcc) are Debian's own, of the same version.
set(MEZOLIN_QT_WINDOWS /var/cache/mezolin/qt-6.4.2-mingw64)
if(EXISTS "${MEZOLIN_QT_WINDOWS}/lib/cmake/Qt6/Qt6Config.cmake")
    list(APPEND CMAKE_FIND_ROOT_PATH "${MEZOLIN_QT_WINDOWS}")
    list(APPEND CMAKE_PREFIX_PATH "${MEZOLIN_QT_WINDOWS}")
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
