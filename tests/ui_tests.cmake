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
