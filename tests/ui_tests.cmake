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

# The real program on an X display of its own, driven as a person would: by keys and the
# mouse, and through the accessibility bus as a screen reader does.
find_program(MEZOLIN_XVFB Xvfb)
find_program(MEZOLIN_XDOTOOL xdotool)
find_program(MEZOLIN_XCLIP xclip)
find_program(MEZOLIN_XMODMAP xmodmap)
find_program(MEZOLIN_XPROP xprop)
find_program(MEZOLIN_SETXKBMAP setxkbmap)
find_program(MEZOLIN_DBUS_RUN_SESSION dbus-run-session)
if(MEZOLIN_XVFB AND MEZOLIN_XDOTOOL AND MEZOLIN_XCLIP AND MEZOLIN_XMODMAP AND MEZOLIN_XPROP
   AND MEZOLIN_SETXKBMAP AND MEZOLIN_DBUS_RUN_SESSION)
    # A session bus of its own, as a desktop has: without one, libdbus would try to start one
    # with dbus-launch.
    add_test(NAME desktop_e2e
             COMMAND "${MEZOLIN_DBUS_RUN_SESSION}" -- "${CMAKE_CURRENT_SOURCE_DIR}/with_xvfb.sh"
                     "${CMAKE_CURRENT_SOURCE_DIR}/desktop_e2e.sh" "$<TARGET_FILE:mezolin>")
    set_tests_properties(desktop_e2e PROPERTIES LABELS desktop TIMEOUT 180)
else()
    message(WARNING "Xvfb, xdotool, xclip, xmodmap, xprop, setxkbmap or dbus-run-session missing: "
                    "desktop_e2e is not registered")
endif()

# Debian's own Python, where python3-pyatspi lives.
execute_process(COMMAND /usr/bin/python3 -c "import pyatspi" RESULT_VARIABLE no_pyatspi
                OUTPUT_QUIET ERROR_QUIET)
if(MEZOLIN_XVFB AND MEZOLIN_DBUS_RUN_SESSION AND no_pyatspi EQUAL 0)
    # The bus starts on the display, as a desktop session's does: the accessibility registry it
    # starts on demand must find the display there.
    add_test(NAME desktop_atspi
             COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/with_xvfb.sh" "${MEZOLIN_DBUS_RUN_SESSION}" --
                     /usr/bin/python3 "${CMAKE_CURRENT_SOURCE_DIR}/atspi_e2e.py"
                     "$<TARGET_FILE:mezolin>")
    set_tests_properties(desktop_atspi PROPERTIES LABELS desktop TIMEOUT 120)
else()
    message(WARNING "Xvfb, dbus-run-session or python3-pyatspi missing: desktop_atspi is not "
                    "registered")
endif()
