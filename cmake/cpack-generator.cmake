# Read by cpack once for each generator it runs.
if(CPACK_GENERATOR STREQUAL "NSIS")
    # The installer beside the zip: Mezolin-<version>-win64-setup.exe.
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
