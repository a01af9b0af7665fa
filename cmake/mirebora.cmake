# Shared build settings and helpers for the native (Linux) and Windows configurations.

option(MIREBORA_SANITIZE "Build the native core, tests and tools with AddressSanitizer and UBSan" OFF)
option(MIREBORA_PACKAGE "Make the Debian package of the Linux hack (CPack) and test it" OFF)
# Natively, without the tests only the Linux hack is built: it then needs neither GoogleTest nor
# OSMesa (the tests' offscreen GL).
option(MIREBORA_TESTS "Natively: build the unit tests, fuzz targets, tools and scenario programs" ON)

if(MSVC)
  message(FATAL_ERROR "The Windows programs are built with mingw-w64")
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(WIN32)
  # The programs must run on a bare Windows: no libgcc, libstdc++ or winpthread DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Hardened: functions with arrays or addresses of locals check their stack before returning
  # (the checks come from mingw-w64's libssp, linked statically like the rest).
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>)
  add_link_options(-fstack-protector-strong)
  # Reproducible: no link time in the programs' headers, and no trace of the folders they were
  # built in (source and build folders are named relative to the source folder).
  add_link_options(-Wl,--no-insert-timestamp)
  add_compile_options(
    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>
    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>)
  set(MIREBORA_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
  enable_language(RC)
  find_library(MIREBORA_OPENGL_LIB opengl32 REQUIRED)
  find_library(MIREBORA_GLU_LIB glu32 REQUIRED)
  add_library(mirebora_gl INTERFACE)
  target_link_libraries(mirebora_gl INTERFACE ${MIREBORA_GLU_LIB} ${MIREBORA_OPENGL_LIB})
else()
  if(MIREBORA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
  # Natively the core draws into an offscreen Mesa context: OSMesa provides the GL entry points;
  # except in a program that draws on an X display (target property MIREBORA_DRAWS_ON_X11),
  # where libGL with GLX provides them. A program links one of the two, never both.
  if(MIREBORA_TESTS)
    find_library(MIREBORA_OSMESA_LIB OSMesa REQUIRED)
    find_package(GTest REQUIRED)
  endif()
  if(MIREBORA_PACKAGE AND NOT MIREBORA_SANITIZE)
    # The packaged hack is hardened as Debian builds its programs: checked buffer functions, a
    # stack protector, and relocations read-only once resolved at start-up.
    add_compile_options(-D_FORTIFY_SOURCE=2 -fstack-protector-strong)
    add_link_options(-Wl,-z,relro -Wl,-z,now)
    # No build folder in the program, so that builds in two folders give the same bytes.
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                        -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
  endif()
  find_library(MIREBORA_GLU_LIB GLU REQUIRED)
  find_library(MIREBORA_GLX_LIB GL REQUIRED)
  add_library(mirebora_gl INTERFACE)
  target_link_libraries(mirebora_gl INTERFACE ${MIREBORA_GLU_LIB}
    $<IF:$<BOOL:$<TARGET_PROPERTY:MIREBORA_DRAWS_ON_X11>>,${MIREBORA_GLX_LIB},${MIREBORA_OSMESA_LIB}>)
endif()

# mirebora_unit_test(NAME SOURCES... LIBS ...): a GoogleTest program beside the code it tests.
function(mirebora_unit_test name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBS")
  if(WIN32 OR NOT MIREBORA_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    LABELS unit
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()

# mirebora_fuzz_target(NAME SOURCES...): a libFuzzer target (clang only) and a short run of it
# over a seed corpus that SEED_COMMAND writes into the build tree.
function(mirebora_fuzz_target name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "RUNS" "SOURCES;SEED_COMMAND;LIBS")
  if(WIN32 OR NOT MIREBORA_TESTS OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  add_test(NAME ${name}_seeds COMMAND ${ARG_SEED_COMMAND} ${corpus})
  set_tests_properties(${name}_seeds PROPERTIES LABELS fuzz FIXTURES_SETUP ${name}_corpus)
  if(NOT ARG_RUNS)
    set(ARG_RUNS 200000)
  endif()
  add_test(NAME ${name}_smoke COMMAND ${name} -runs=${ARG_RUNS} -max_total_time=60 -rss_limit_mb=1024 ${corpus})
  set_tests_properties(${name}_smoke PROPERTIES LABELS fuzz FIXTURES_REQUIRED ${name}_corpus)
endfunction()

# mirebora_committed_output(NAME OUTPUT DIR COMMAND TOOL ARGS... FILES FILE... [REQUIRES FIXTURE...]):
# tests that a generating tool, run into DIR, writes exactly the files committed beside the calling
# CMakeLists.txt: one test makes DIR (fixture NAME_folder), one runs the tool (after REQUIRES
# too), and one per file compares the output with the committed file byte for byte.
function(mirebora_committed_output name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "OUTPUT" "COMMAND;FILES;REQUIRES")
  add_test(NAME ${name}_folder COMMAND ${CMAKE_COMMAND} -E make_directory ${ARG_OUTPUT})
  set_tests_properties(${name}_folder PROPERTIES FIXTURES_SETUP ${name}_folder)
  add_test(NAME ${name}_run COMMAND ${ARG_COMMAND})
  set_tests_properties(${name}_run PROPERTIES
    FIXTURES_REQUIRED "${name}_folder;${ARG_REQUIRES}" FIXTURES_SETUP ${name}_output)
  foreach(file IN LISTS ARG_FILES)
    add_test(NAME ${name}_${file}_committed
             COMMAND ${CMAKE_COMMAND} -E compare_files ${ARG_OUTPUT}/${file}
                     ${CMAKE_CURRENT_SOURCE_DIR}/${file})
    set_tests_properties(${name}_${file}_committed PROPERTIES
      LABELS unit FIXTURES_REQUIRED ${name}_output)
  endforeach()
endfunction()

# mirebora_shipped_program(TARGET): the program is stripped after linking; its symbols and debug
# information go to build/.../debug/NAME.debug, which the program names in a debug link (for
# debuggers and crash analysis), and which is never shipped. objcopy and strip write the present
# time into a program's header unless SOURCE_DATE_EPOCH says otherwise: they get 0, the time
# stamp the linker leaves with --no-insert-timestamp.
function(mirebora_shipped_program target)
  set(debug_file ${CMAKE_BINARY_DIR}/debug/$<TARGET_FILE_NAME:${target}>.debug)
  set(without_time ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debug
    COMMAND ${without_time} ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}>
            ${debug_file}
    COMMAND ${without_time} ${CMAKE_STRIP} --strip-all $<TARGET_FILE:${target}>
    COMMAND ${without_time} ${CMAKE_OBJCOPY} --add-gnu-debuglink=${debug_file}
            $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
