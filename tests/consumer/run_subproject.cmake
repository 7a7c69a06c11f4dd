# Builds and runs the guide's first screen with the library's sources in the consumer's own build
# (cmake -P): HOW is add_subdirectory (the source folder itself) or FetchContent (an archive of the
# library's files, made here, fetched by URL). Inputs: SOURCE_DIR, HOW, WORK_DIR, GENERATOR and
# CXX_COMPILER.
include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
if(HOW STREQUAL "add_subdirectory")
  set(source_option -DKW_SOURCE_DIR=${SOURCE_DIR})
else()
  # What a release archive of the library holds: its build files and sources, no application.
  set(archive ${WORK_DIR}/ui_shared.tar.gz)
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar czf ${archive} -- CMakeLists.txt cmake ui_shared widgets
                  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not make ${archive}")
  endif()
  set(source_option -DKW_ARCHIVE=${archive})
endif()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/consumer/subproject -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} ${source_option}
    -DFIRST_SCREEN=${SOURCE_DIR}/examples/guide/step1/main.cpp)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/first_screen)
