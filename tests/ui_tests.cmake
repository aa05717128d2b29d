# Window tests: Qt Test, headless on the offscreen platform.
function(mezolin_window_test name)
    add_executable(${name} ${name}.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE Mezolin::ui Qt6::Test mezolin_options)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        LABELS window
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1")
endfunction()

mezolin_window_test(form1_layout_test)
mezolin_window_test(form1_actions_test)
if(WIN32)
    # Beside the test programs, as beside Mezolin.exe: the face and Qt's Russian texts.
    file(COPY "${MEZOLIN_FACE_FILE}" DESTINATION "${CMAKE_CURRENT_BINARY_DIR}")
    file(COPY "${MEZOLIN_QT_TRANSLATION}" DESTINATION "${CMAKE_CURRENT_BINARY_DIR}/translations")
endif()

# Every text of the window whole in its control, in each setting a desktop may draw it in:
# name, then the environment (comma-separated).
set(MEZOLIN_FIT_SETTINGS
    "scale-1|QT_SCALE_FACTOR=1"
    "scale-1.25|QT_SCALE_FACTOR=1.25"
    "scale-1.5|QT_SCALE_FACTOR=1.5"
    "scale-2|QT_SCALE_FACTOR=2"
    "font-dpi-144-unscaled|QT_ENABLE_HIGHDPI_SCALING=0,QT_FONT_DPI=144")
# Under Wine they are measured as Windows draws them: on its own platform, on the X display that
# scripts/windows.sh runs the tests on.
if(WIN32)
    set(fit_platform windows)
else()
    set(fit_platform offscreen)
endif()
foreach(setting IN LISTS MEZOLIN_FIT_SETTINGS)
    string(REPLACE "|" ";" setting "${setting}")
    list(GET setting 0 name)
    list(GET setting 1 environment)
    string(REPLACE "," ";" environment "${environment}")
    add_test(NAME form1_texts_fit_${name} COMMAND form1_layout_test textsFit)
    set_tests_properties(form1_texts_fit_${name} PROPERTIES
        LABELS window
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=${fit_platform};${environment}")
endforeach()

if(WIN32)
    # Mezolin.exe read back as Windows reads it: subsystem, version record and icon.
    add_test(NAME windows_pe_check
             COMMAND /usr/bin/python3 "${CMAKE_CURRENT_SOURCE_DIR}/windows_pe_check.py"
                     "$<TARGET_FILE:mezolin>" --version "${MEZOLIN_VERSION_TEXT}"
                     --fixed-version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
    set_tests_properties(windows_pe_check PROPERTIES LABELS program TIMEOUT 60)
    return() # the desktop tests drive the Linux program; the Windows one is driven from its zip
endif()

# The Debian changelog names the version that project() sets.
string(REPLACE "." "\\." version_pattern "${MEZOLIN_VERSION_TEXT}")
add_test(NAME changelog_version
         COMMAND dpkg-parsechangelog -l "${PROJECT_SOURCE_DIR}/debian/changelog" -S Version)
set_tests_properties(changelog_version PROPERTIES
    LABELS packaging PASS_REGULAR_EXPRESSION "^${version_pattern}\n$")

# The real program where no display can be opened.
# Under an emulator in a cross build, the program runs through it.
add_test(NAME no_display COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/no_display.sh"
                                 ${CMAKE_CROSSCOMPILING_EMULATOR} "$<TARGET_FILE:mezolin>")
set_tests_properties(no_display PROPERTIES LABELS program TIMEOUT 90)

if(CMAKE_CROSSCOMPILING)
    message(STATUS "Cross build: desktop_e2e and desktop_atspi, which drive the program on an X "
                   "server and through AT-SPI natively, are not registered")
    return()
endif()

# mezolin_tools(<ok variable> <test> <program>:<Debian package>...)
# Finds each program (a "python3-x" package: its module, in Debian's own Python) and sets the
# ok variable when all are there. Where one is missing the test is not registered: a warning
# says so, and with CI set the configure fails, so that no check vanishes unseen.
function(mezolin_tools ok test)
    set(missing "")
    foreach(tool IN LISTS ARGN)
        string(REPLACE ":" ";" tool "${tool}")
        list(GET tool 0 program)
        list(GET tool 1 package)
        if(package MATCHES "^python3-(.*)")
            execute_process(COMMAND /usr/bin/python3 -c "import ${CMAKE_MATCH_1}"
                            RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
        else()
            string(MAKE_C_IDENTIFIER "MEZOLIN_TOOL_${program}" found)
            find_program(${found} ${program})
            set(failed 0)
            if(NOT ${found})
                set(failed 1)
            endif()
        endif()
        if(failed)
            list(APPEND missing "${program} (apt-get install ${package})")
        endif()
    endforeach()
    set(${ok} TRUE PARENT_SCOPE)
    if(missing)
        list(JOIN missing ", " missing)
        set(text "${test} needs ${missing}; bash scripts/deps.sh test installs them")
        if("$ENV{CI}")
            message(FATAL_ERROR "${text}")
        endif()
        message(WARNING "${text}: ${test} is not registered")
        set(${ok} FALSE PARENT_SCOPE)
    endif()
endfunction()

# The real program on an X display of its own, driven as a person would: by keys and the
# mouse, and through the accessibility bus as a screen reader does.
mezolin_tools(desktop_tools desktop_e2e Xvfb:xvfb xdotool:xdotool xclip:xclip
    xmodmap:x11-xserver-utils xprop:x11-utils setxkbmap:x11-xkb-utils dbus-run-session:dbus-daemon)
if(desktop_tools)
    # A session bus of its own, as a desktop has: without one, libdbus would try to start one
    # with dbus-launch.
    add_test(NAME desktop_e2e
             COMMAND "${MEZOLIN_TOOL_dbus_run_session}" -- "${CMAKE_CURRENT_SOURCE_DIR}/with_xvfb.sh"
                     "${CMAKE_CURRENT_SOURCE_DIR}/desktop_e2e.sh" "$<TARGET_FILE:mezolin>")
    set_tests_properties(desktop_e2e PROPERTIES LABELS desktop TIMEOUT 180)
endif()

mezolin_tools(atspi_tools desktop_atspi Xvfb:xvfb dbus-run-session:dbus-daemon
    pyatspi:python3-pyatspi)
if(atspi_tools)
    # The bus starts on the display, as a desktop session's does: the accessibility registry it
    # starts on demand must find the display there.
    add_test(NAME desktop_atspi
             COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/with_xvfb.sh" "${MEZOLIN_TOOL_dbus_run_session}" --
                     /usr/bin/python3 "${CMAKE_CURRENT_SOURCE_DIR}/atspi_e2e.py"
                     "$<TARGET_FILE:mezolin>")
    set_tests_properties(desktop_atspi PROPERTIES LABELS desktop TIMEOUT 120)
endif()

# What the build installs, as the desktop and software centres read it.
mezolin_tools(validators "desktop_entry and metainfo" desktop-file-validate:desktop-file-utils
    appstreamcli:appstream)
if(validators)
    add_test(NAME desktop_entry
             COMMAND "${MEZOLIN_TOOL_desktop_file_validate}"
                     "${PROJECT_SOURCE_DIR}/packaging/org.mezolin.Mezolin.desktop")
    add_test(NAME metainfo
             COMMAND "${MEZOLIN_TOOL_appstreamcli}" validate --no-net
                     "${PROJECT_BINARY_DIR}/app/org.mezolin.Mezolin.metainfo.xml")
    set_tests_properties(desktop_entry metainfo PROPERTIES LABELS packaging TIMEOUT 60)
endif()
# Every file the install rules put in place, and nothing more.
add_test(NAME installed_files
         COMMAND "${CMAKE_COMMAND}" -D "build=${PROJECT_BINARY_DIR}"
                 -D "stage=${CMAKE_CURRENT_BINARY_DIR}/install-stage"
                 -P "${CMAKE_CURRENT_SOURCE_DIR}/installed_files.cmake")
set_tests_properties(installed_files PROPERTIES LABELS packaging TIMEOUT 60)
