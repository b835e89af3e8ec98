# fiscora refuses what it cannot use before any window opens, and writes nothing: --help,
# a bad option, a home folder that is a file, no HOME at all. Run as:
# cmake -DWORK=<scratch folder> -DPROGRAM=<fiscora> -P program_refusals.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/user")
file(WRITE "${WORK}/plain" "x")

function(expect exit pattern)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=FISCORA_HOME --unset=XDG_DATA_HOME
                          --unset=XDG_CONFIG_HOME ${ARGN}
                  WORKING_DIRECTORY "${WORK}/user"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL exit OR NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "${ARGN}: exit ${result}, output '${out}${err}'")
  endif()
endfunction()

expect(0 "usage: fiscora" HOME=${WORK}/user "${PROGRAM}" --help)
expect(2 "usage: fiscora" HOME=${WORK}/user "${PROGRAM}" --bogus)
expect(2 "usage: fiscora" HOME=${WORK}/user "${PROGRAM}" --home)
expect(1 "cannot use the home folder .*plain" HOME=${WORK}/user "${PROGRAM}" --home "${WORK}/plain")
expect(1 "no home folder" --unset=HOME "${PROGRAM}")

file(GLOB_RECURSE left "${WORK}/user/*")
if(left)
  message(FATAL_ERROR "fiscora wrote ${left}")
endif()
