# Window tests: Qt Test, headless on the offscreen platform.
function(mezolin_window_test name)
    add_executable(${name} ${name}.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE Mezolin::ui Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        LABELS window
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1;QT_FATAL_WARNINGS=0")
endfunction()

mezolin_window_test(form1_layout_test)
mezolin_window_test(form1_actions_test)

# The real program on an X display, driven by keys as a person would.
find_program(MEZOLIN_XVFB_RUN xvfb-run)
find_program(MEZOLIN_XDOTOOL xdotool)
find_program(MEZOLIN_XCLIP xclip)
find_program(MEZOLIN_XMODMAP xmodmap)
if(MEZOLIN_XVFB_RUN AND MEZOLIN_XDOTOOL AND MEZOLIN_XCLIP AND MEZOLIN_XMODMAP)
    add_test(NAME desktop_e2e
             COMMAND "${MEZOLIN_XVFB_RUN}" -a -s "-screen 0 1024x768x24 -dpi 96"
                     "${CMAKE_CURRENT_SOURCE_DIR}/desktop_e2e.sh" "$<TARGET_FILE:mezolin>")
    set_tests_properties(desktop_e2e PROPERTIES LABELS desktop TIMEOUT 180 RUN_SERIAL ON)
else()
    message(WARNING "xvfb-run, xdotool, xclip or xmodmap missing: the desktop test is not registered")
endif()
