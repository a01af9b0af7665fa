# Scenarios of the Linux hack: the native programs on a private Xvfb display, under the build's
# sanitizers. Included by linux/CMakeLists.txt.
set(MIREBORA_LINUX_SCENARIOS_DIR ${CMAKE_CURRENT_LIST_DIR})

function(mirebora_linux_scenario name)
  add_test(NAME ${name} COMMAND bash ${MIREBORA_LINUX_SCENARIOS_DIR}/${name}.sh)
  set_tests_properties(${name} PROPERTIES
    LABELS x11
    TIMEOUT 300
    ENVIRONMENT "MIREBORA_NATIVE=${CMAKE_BINARY_DIR}")
endfunction()

# Every linux_hack_*.sh of this folder, found by pattern; the package's scenario needs the package
# and is registered with it (cmake/linux_package.cmake).
file(GLOB mirebora_linux_scenario_scripts CONFIGURE_DEPENDS
     ${MIREBORA_LINUX_SCENARIOS_DIR}/linux_hack_*.sh)
foreach(script IN LISTS mirebora_linux_scenario_scripts)
  get_filename_component(name ${script} NAME_WE)
  mirebora_linux_scenario(${name})
endforeach()
