# Installs the build into a stage and compares the files there with the list below.
#   cmake -D build=<build folder> -D stage=<empty folder to use> -P installed_files.cmake
set(expected
    bin/mezolin
    share/applications/org.mezolin.Mezolin.desktop
    share/icons/hicolor/16x16/apps/org.mezolin.Mezolin.png
    share/icons/hicolor/32x32/apps/org.mezolin.Mezolin.png
    share/icons/hicolor/48x48/apps/org.mezolin.Mezolin.png
    share/man/man1/mezolin.1
    share/metainfo/org.mezolin.Mezolin.metainfo.xml)
file(REMOVE_RECURSE "${stage}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${build}" --prefix "${stage}"
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE installed RELATIVE "${stage}" "${stage}/*")
list(SORT installed)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()
