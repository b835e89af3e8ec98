# Checks that includes among a set of folders go one way only: a file may include its own
# folder and the folders below it, never one above it nor a forbidden folder. Included by
# CoreLayers.cmake and UiLayers.cmake, which set before including it:
#   layers     the folders, bottom first
#   parent     the folder they sit in below SOURCE_DIR, with its '/' ("" for SOURCE_DIR itself)
#   forbidden  top-level folders none of them may include
#   order      the order as the message shows it
# Run as: cmake -DSOURCE_DIR=<src> [-DSTAMP=<file>] -P CoreLayers.cmake (or UiLayers.cmake)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "the layer check needs -DSOURCE_DIR")
endif()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
set(violations "")
set(rank 0)
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${parent}${layer}/*.h"
       "${SOURCE_DIR}/${parent}${layer}/*.cpp" "${SOURCE_DIR}/${parent}${layer}/*.inc")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "\"([a-z_]+)/" _ "${line}")
      set(top "${CMAKE_MATCH_1}")
      # The folder among the layers the include names, if it names one.
      set(target_folder "")
      if(parent STREQUAL "")
        set(target_folder "${top}")
      elseif(line MATCHES "\"${parent}([a-z_]+)/")
        set(target_folder "${CMAKE_MATCH_1}")
      endif()
      list(FIND layers "${target_folder}" target_rank)
      list(FIND forbidden "${top}" forbidden_folder)
      if(target_rank GREATER rank OR forbidden_folder GREATER -1)
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        string(STRIP "${line}" line)
        if(forbidden_folder GREATER -1)
          set(target_folder "${top}")
        endif()
        list(APPEND violations "  ${shown}: ${line} (${layer} may not include ${target_folder})")
      endif()
    endforeach()
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

if(violations)
  list(JOIN violations "\n" text)
  message(FATAL_ERROR "Layers go ${order}; these includes go the wrong way:\n${text}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
