# cmake -DWINDRES=... -DOBJECT=... -DWORK=... -DIDS=saver_pictures.h
#       -DPICTURES=IDB_NAME:FILE|IDB_NAME:FILE... -P this-file
#
# Checks that the compiled resource object holds every picture as a bitmap resource with the id
# that the header IDS defines for its name,
# byte for byte the committed file without its 14-byte file header (which is how a bitmap
# resource is stored). The object is turned back into a .res file, whose entries are a 32-byte
# header (data size, header size, type, name, ...) followed by the data.

set(res ${WORK}/saver_pictures_check.res)
execute_process(COMMAND ${WINDRES} -J coff -i ${OBJECT} -O res -o ${res}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "windres could not read ${OBJECT}")
endif()
file(READ ${res} resources HEX)

# Little-endian bytes as hex digits, as file(READ ... HEX) spells them.
function(little_endian_hex value bytes out)
  set(hex "")
  foreach(i RANGE 1 ${bytes})
    math(EXPR byte "${value} & 255")
    math(EXPR value "${value} >> 8")
    math(EXPR byte "${byte}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${byte}" 2 -1 byte)
    string(LENGTH "${byte}" length)
    if(length EQUAL 1)
      set(byte "0${byte}")
    endif()
    string(APPEND hex ${byte})
  endforeach()
  set(${out} ${hex} PARENT_SCOPE)
endfunction()

file(READ ${IDS} idDefinitions)
string(REPLACE "|" ";" PICTURES "${PICTURES}")
foreach(entry IN LISTS PICTURES)
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 idName)
  list(GET entry 1 picture)
  if(NOT idDefinitions MATCHES "#define ${idName} ([0-9]+)")
    message(FATAL_ERROR "${IDS} defines no ${idName}")
  endif()
  set(id ${CMAKE_MATCH_1})
  file(READ ${picture} dib HEX OFFSET 14)
  string(LENGTH "${dib}" dibDigits)
  math(EXPR dibBytes "${dibDigits} / 2")

  # Data size, header size 32, type RT_BITMAP (2) by number, name by number.
  little_endian_hex(${dibBytes} 4 size)
  little_endian_hex(${id} 2 name)
  string(FIND "${resources}" "${size}20000000ffff0200ffff${name}" header)
  if(header EQUAL -1)
    message(FATAL_ERROR "no bitmap resource ${id} of ${dibBytes} bytes for ${picture}")
  endif()
  math(EXPR data "${header} + 64")
  string(SUBSTRING "${resources}" ${data} ${dibDigits} embedded)
  if(NOT embedded STREQUAL dib)
    message(FATAL_ERROR "bitmap resource ${id} differs from ${picture}")
  endif()
  message(STATUS "bitmap resource ${id}: ${picture}, ${dibBytes} bytes")
endforeach()
