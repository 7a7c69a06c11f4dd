# Installs the build into a fresh prefix, then configures, builds and runs a project that uses the
# package (tests/consumer, examples/first_screen) against it alone (cmake -P). Inputs: BUILD_DIR,
# CONSUMER_DIR, PROGRAM (the project's program), WORK_DIR, GENERATOR, CXX_COMPILER and, for a
# sanitized build, SANITIZE_FLAGS, which the consumer must link with.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " shown "${ARGN}")
    message(FATAL_ERROR "failed (${result}): ${shown}")
  endif()
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(consumer_build ${WORK_DIR}/build)
file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${consumer_build} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_EXE_LINKER_FLAGS=${SANITIZE_FLAGS}")
run(${CMAKE_COMMAND} --build ${consumer_build})
run(${consumer_build}/${PROGRAM})
