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

mirebora_linux_scenario(linux_hack_runs_under_xscreensaver)
mirebora_linux_scenario(linux_hack_window_grabs_desktop_follows_resize_ends_on_sigint)
mirebora_linux_scenario(linux_hack_built_in_ground_fps_escape_and_root)
mirebora_linux_scenario(linux_hack_draws_into_given_window_and_ends_with_it)
mirebora_linux_scenario(linux_hack_steps_as_scene_trace_over_10000_frames)
