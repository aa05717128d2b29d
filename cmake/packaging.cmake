# The Windows zip and installer, made by CPack from the install rules.
set(CPACK_PACKAGE_NAME "mezolin")
set(CPACK_PACKAGE_VENDOR "Mezolin developers")
set(CPACK_PACKAGE_CONTACT "Mezolin developers <developers@mezolin.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Sum, maximum and difference of a 4x4 matrix, in one window")
set(CPACK_PACKAGE_VERSION "${MEZOLIN_VERSION_TEXT}")
set(CPACK_STRIP_FILES ON)
# Every time in the packages is SOURCE_DATE_EPOCH, which scripts/windows.sh sets to the last
# commit's: two builds of one commit give the same bytes in any folder at any time.
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/cpack-generator.cmake")

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_FILE_NAME "Mezolin-${MEZOLIN_VERSION_TEXT}-win64")
# The installer: a script of our own (packaging/windows/NSIS.template.in), filled in by CPack,
# with the files to install and to remove from cmake/windows-order.cmake.
set(CPACK_MODULE_PATH "${PROJECT_SOURCE_DIR}/packaging/windows")
set(CPACK_NSIS_PACKAGE_NAME "Mezolin")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Mezolin")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# Both with their files in the order of their names.
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/windows-order.cmake")
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/windows-order.cmake")
# What the script needs of the project; CPack hands every CPACK_ variable to the script.
set(CPACK_MEZOLIN_VERSION_TEXT "${MEZOLIN_VERSION_TEXT}")
set(CPACK_MEZOLIN_FIXED_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
set(CPACK_MEZOLIN_ICON "${PROJECT_SOURCE_DIR}/icons/mezolin.ico")

include(CPack)
