# --help on the picture tools and scripts/gallery prints the usage and writes nothing: no
# folder named "--help" appears. Run as:
# cmake -DWORK=<scratch folder> -DPROGRAMS="<program>;..." -P gallery_help.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND "${program}" --help WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0 OR NOT out MATCHES "usage")
    message(FATAL_ERROR "${program} --help: exit ${result}, output '${out}${err}'")
  endif()
  file(GLOB left "${WORK}/*")
  if(left)
    message(FATAL_ERROR "${program} --help wrote ${left}")
  endif()
endforeach()
