# The Debian package of the Linux hack, made by CPack from the install rules in build/linux/ and
# copied beside the Windows release files: build/release/mirebora_<version>_amd64.deb. Its library
# dependencies come from dpkg-shlibdeps; XScreenSaver itself is recommended, since the hack also
# runs in a window of its own, and xscreensaver-data brings the helper that grabs the desktop.
set(MIREBORA_LINUX_RELEASE_DIR ${PROJECT_SOURCE_DIR}/build/release CACHE PATH
    "Where cpack --preset linux leaves the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirebora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ${MIREBORA_PUBLISHER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ミレボラ: meteors strike your desktop (XScreenSaver hack)")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Meteors wrapped in a picture of the Earth fall out of a starry sky onto your\n"
  "desktop and burst into a glowing, turning fire, again and again. An OpenGL hack\n"
  "for XScreenSaver, the same scene, step for step, as the Windows screen saver of\n"
  "the same name. mirebora-setup adds it to a user's list of screen savers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME mirebora_${PROJECT_VERSION}_amd64.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MIREBORA_PUBLISHER} <developers@mirebora.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver, xscreensaver-data")
set(CPACK_DEBIAN_PACKAGE_ENHANCES xscreensaver)
set(CPACK_STRIP_FILES ON)
# Removing the package says what is left in users' XScreenSaver lists.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/linux/debian/prerm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The same commit gives the same package: every time stamp is the commit's, and cpack runs under
# umask 022 (cmake/linux_package_reproducible.cmake, run by cpack, sees to both).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/linux_package_reproducible.cmake)
set(CPACK_MIREBORA_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/copy_linux_package.cmake)
set(CPACK_MIREBORA_RELEASE_DIR ${MIREBORA_LINUX_RELEASE_DIR})
include(CPack)

# The package installs its files where they belong, and removing it leaves nothing behind.
add_test(NAME linux_package_made
         COMMAND sh -c "umask 022 && exec \"$0\" --config \"$1\"" ${CMAKE_CPACK_COMMAND}
                 ${CMAKE_BINARY_DIR}/CPackConfig.cmake
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(linux_package_made PROPERTIES LABELS package FIXTURES_SETUP linux_package)
add_test(NAME linux_package_installs_and_removes
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/linux_package_installs_and_removes.sh
                 ${MIREBORA_LINUX_RELEASE_DIR}/${CPACK_DEBIAN_FILE_NAME} ${PROJECT_VERSION})
set_tests_properties(linux_package_installs_and_removes PROPERTIES
  LABELS package FIXTURES_REQUIRED linux_package SKIP_RETURN_CODE 77 TIMEOUT 300)
# Debian's own checks find no errors in the package.
add_test(NAME linux_package_passes_lintian
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/linux_package_passes_lintian.sh
                 ${MIREBORA_LINUX_RELEASE_DIR}/${CPACK_DEBIAN_FILE_NAME} ${PROJECT_VERSION})
set_tests_properties(linux_package_passes_lintian PROPERTIES
  LABELS package FIXTURES_REQUIRED linux_package TIMEOUT 300)
# A new account adds the hack to its XScreenSaver list with the package's mirebora-setup, the
# daemon runs it, and --remove takes it out; another account's chosen saver stays chosen.
add_test(NAME linux_setup_adds_hack_for_new_account
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/linux_setup_adds_hack_for_new_account.sh
                 ${MIREBORA_LINUX_RELEASE_DIR}/${CPACK_DEBIAN_FILE_NAME})
set_tests_properties(linux_setup_adds_hack_for_new_account PROPERTIES
  LABELS package FIXTURES_REQUIRED linux_package TIMEOUT 300
  ENVIRONMENT "MIREBORA_NATIVE=${CMAKE_BINARY_DIR}")
