# Fails when two resource headers of the assets give the same number to resources of the same
# kind: the programs link several of them, and the linker would silently keep only one of two
# resources with the same kind and number. Run with -DASSETS_DIR=<assets folder>.
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE headers "${ASSETS_DIR}/*.h")
set(seen "")
foreach(header IN LISTS headers)
  file(STRINGS "${header}" lines REGEX "^#define ID[A-Z]_[A-Z0-9_]+ +[0-9]+")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^#define (ID[A-Z])_([A-Z0-9_]+) +([0-9]+)" _ "${line}")
    # The prefix names the kind: IDB bitmaps, IDI icons, IDC cursors.
    set(key "${CMAKE_MATCH_1}:${CMAKE_MATCH_3}")
    if(key IN_LIST seen)
      message(FATAL_ERROR "resource number ${CMAKE_MATCH_3} of kind ${CMAKE_MATCH_1} is given twice (${header})")
    endif()
    list(APPEND seen "${key}")
  endforeach()
endforeach()
list(LENGTH seen count)
message(STATUS "${count} resource numbers, all distinct")
