# Window tests: Qt Test, headless on the offscreen platform.
function(mezolin_window_test name)
    add_executable(${name} ${name}.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE Mezolin::ui Qt6::Test mezolin_options)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        LABELS window
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1;QT_FATAL_WARNINGS=0")
endfunction()

mezolin_window_test(form1_layout_test)
mezolin_window_test(form1_actions_test)

if(CMAKE_CROSSCOMPILING)
    return() # the desktop tests drive the Linux program; the Windows one is driven from its zip
endif()

# The real program on an X display of its own, driven as a person would: by keys and the
# mouse, and through the accessibility bus as a screen reader does.
find_program(MEZOLIN_XVFB Xvfb)
find_program(MEZOLIN_XDOTOOL xdotool)
find_program(MEZOLIN_XCLIP xclip)
find_program(MEZOLIN_XMODMAP xmodmap)
find_program(MEZOLIN_DBUS_RUN_SESSION dbus-run-session)
if(MEZOLIN_XVFB AND MEZOLIN_XDOTOOL AND MEZOLIN_XCLIP AND MEZOLIN_XMODMAP)
    add_test(NAME desktop_e2e
             COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/with_xvfb.sh"
                     "${CMAKE_CURRENT_SOURCE_DIR}/desktop_e2e.sh" "$<TARGET_FILE:mezolin>")
    set_tests_properties(desktop_e2e PROPERTIES LABELS desktop TIMEOUT 180)
else()
    message(WARNING "Xvfb, xdotool, xclip or xmodmap missing: desktop_e2e is not registered")
endif()

# Debian's own Python, where python3-pyatspi lives.
execute_process(COMMAND /usr/bin/python3 -c "import pyatspi" RESULT_VARIABLE no_pyatspi
                OUTPUT_QUIET ERROR_QUIET)
if(MEZOLIN_XVFB AND MEZOLIN_DBUS_RUN_SESSION AND no_pyatspi EQUAL 0)
    add_test(NAME desktop_atspi
             COMMAND "${MEZOLIN_DBUS_RUN_SESSION}" -- "${CMAKE_CURRENT_SOURCE_DIR}/with_xvfb.sh"
                     /usr/bin/python3 "${CMAKE_CURRENT_SOURCE_DIR}/atspi_e2e.py"
                     "$<TARGET_FILE:mezolin>")
    set_tests_properties(desktop_atspi PROPERTIES LABELS desktop TIMEOUT 120)
else()
    message(WARNING "Xvfb, dbus-run-session or python3-pyatspi missing: desktop_atspi is not "
                    "registered")
endif()
