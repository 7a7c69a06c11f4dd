# Installs the build into a fresh prefix, then configures, builds and runs a project that uses the
# package against it alone (cmake -P). Inputs: BUILD_DIR, CONSUMER_DIR, PROGRAM (the project's
# program), WORK_DIR, GENERATOR, CXX_COMPILER and, for a sanitized build, SANITIZE_FLAGS, which the
# consumer must link with. With SOURCE_DIR (the repository) the consumer is tests/consumer/guide:
# it is given the examples, and instead of one program the guide's and the how-to page's programs
# are run and their output compared with the pages (docs/check_docs.py), then the second screen.
include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)

set(prefix ${WORK_DIR}/prefix)
set(consumer_build ${WORK_DIR}/build)
file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
if(SOURCE_DIR)
  set(examples -DEXAMPLES=${SOURCE_DIR}/examples)
endif()
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${consumer_build} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_EXE_LINKER_FLAGS=${SANITIZE_FLAGS}" ${examples})
run(${CMAKE_COMMAND} --build ${consumer_build})
if(SOURCE_DIR)
  run(python3 ${SOURCE_DIR}/docs/check_docs.py guide ${SOURCE_DIR}/docs/writing-a-screen.md ${SOURCE_DIR}/examples/guide
      --run ${consumer_build})
  run(python3 ${SOURCE_DIR}/docs/check_docs.py howto ${SOURCE_DIR}/docs/how-do-i.md --run ${consumer_build})
  execute_process(COMMAND ${consumer_build}/second_screen INPUT_FILE /dev/null RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the second screen failed (${result})")
  endif()
else()
  run(${consumer_build}/${PROGRAM})
endif()
