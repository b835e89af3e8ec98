# Checks that includes among the core folders go one way only: a file may include its own
# folder and the folders below it, never one above it nor a front end (ui, qt, cli, exports).
# Run as: cmake -DSOURCE_DIR=<src> [-DSTAMP=<file>] -P CoreLayers.cmake
# The order, bottom first, is the one docs/design.md draws.
set(core_layers records host store engine output)
set(front_ends ui qt cli exports)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CoreLayers.cmake needs -DSOURCE_DIR")
endif()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
set(violations "")
set(rank 0)
foreach(layer IN LISTS core_layers)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp"
       "${SOURCE_DIR}/${layer}/*.inc")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "\"([a-z_]+)/" _ "${line}")
      set(target_folder "${CMAKE_MATCH_1}")
      list(FIND core_layers "${target_folder}" target_rank)
      list(FIND front_ends "${target_folder}" front_end)
      if(target_rank GREATER rank OR front_end GREATER -1)
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        string(STRIP "${line}" line)
        list(APPEND violations "  ${shown}: ${line} (${layer} may not include ${target_folder})")
      endif()
    endforeach()
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

if(violations)
  list(JOIN violations "\n" text)
  message(FATAL_ERROR "Core layers go records <- host <- store <- engine <- output; "
                      "these includes go the wrong way:\n${text}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
