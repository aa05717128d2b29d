# Run at install time for the Windows build, last: copies into the install folder, stripped, every
# DLL that Mezolin.exe and its Qt plugins import (read with the MinGW objdump) from the Windows Qt
# and the MinGW runtime. The rest are Windows' own: a DLL missing from the packages fails their
# tests under Wine, which start the program from them with nothing else on its path.
# Expects MEZOLIN_EXE, MEZOLIN_PLUGINS (installed paths), MEZOLIN_DLL_DIRS, MEZOLIN_STRIP and
# MEZOLIN_LINKS (a scratch folder in the build tree).
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM "windows+pe")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL "objdump")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "x86_64-w64-mingw32-objdump")

# CMake looks DLL names up in lower case, as Windows would; this disk is case-sensitive, so
# give it lower-case links to the real files.
set(links "${MEZOLIN_LINKS}")
file(REMOVE_RECURSE "${links}")
file(MAKE_DIRECTORY "${links}")
foreach(dir IN LISTS MEZOLIN_DLL_DIRS)
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" lower)
        if(NOT EXISTS "${links}/${lower}")
            file(CREATE_LINK "${dll}" "${links}/${lower}" SYMBOLIC)
        endif()
    endforeach()
endforeach()

file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${MEZOLIN_EXE}"
    MODULES ${MEZOLIN_PLUGINS}
    DIRECTORIES "${links}"
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR windows_own
    PRE_EXCLUDE_REGEXES "^api-ms-" "^ext-ms-")

get_filename_component(destination "${MEZOLIN_EXE}" DIRECTORY)
foreach(link IN LISTS resolved)
    file(REAL_PATH "${link}" dll)
    get_filename_component(name "${dll}" NAME)
    message(STATUS "Runtime DLL: ${name}")
    file(COPY_FILE "${dll}" "${destination}/${name}" ONLY_IF_DIFFERENT)
    execute_process(COMMAND "${MEZOLIN_STRIP}" --strip-unneeded "${destination}/${name}"
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
foreach(plugin IN LISTS MEZOLIN_PLUGINS)
    execute_process(COMMAND "${MEZOLIN_STRIP}" --strip-unneeded "${plugin}"
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# Every file and folder with the time of the commit (SOURCE_DATE_EPOCH, which cpack is given):
# the zip and the installer keep those times, and so are the same bytes whenever they are made.
# The stripped DLLs' own PE time stamps are that time too: binutils reads the same variable.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    file(GLOB_RECURSE installed LIST_DIRECTORIES true "${destination}/*")
    execute_process(COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" "${destination}" ${installed}
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
