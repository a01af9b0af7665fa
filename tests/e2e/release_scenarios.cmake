# Scenarios of the release: the installer's tables and the zip's contents, then installing,
# running, upgrading and uninstalling under Wine.

# The install probe reads the screen-saver values and the Programs and Features entries, and
# looks at and presses the installer's pages.
mirebora_test_program(install-probe install_probe/install_probe.cpp advapi32 user32
                      mirebora_settings_win32)

# The release is written once, by its own target, before the tests that look at it.
add_test(NAME release_written COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target release)
set_tests_properties(release_written PROPERTIES LABELS e2e FIXTURES_SETUP mirebora_release)

add_test(NAME release_package_contents
         COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/release_package_contents.py)
set_tests_properties(release_package_contents PROPERTIES
  LABELS e2e
  FIXTURES_REQUIRED mirebora_release
  ENVIRONMENT "${MIREBORA_SCENARIO_ENVIRONMENT}")

# Signing with a throwaway certificate and time-stamp authority; the release itself unsigned.
add_test(NAME release_signed_with_a_given_certificate
         COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/release_signed_with_a_given_certificate.py)
set_tests_properties(release_signed_with_a_given_certificate PROPERTIES
  LABELS e2e
  FIXTURES_REQUIRED mirebora_release
  ENVIRONMENT "${MIREBORA_SCENARIO_ENVIRONMENT}")
