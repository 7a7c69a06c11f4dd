# run(COMMAND...): runs one step of a consumer test (cmake -P) and stops the test, naming the
# command, when it fails.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " shown "${ARGN}")
    message(FATAL_ERROR "failed (${result}): ${shown}")
  endif()
endfunction()
