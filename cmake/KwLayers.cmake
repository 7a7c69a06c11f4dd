# Helpers that give every layer of the project its own build target: sources gathered per folder,
# warnings private to the target, and headers exposed per target so that a layer sees only its own
# folders and those of the targets it links. An include that points up or sideways does not build.

# Sources (*.cpp) of the given folders, relative to the project root, in `out`.
function(kw_sources out)
  set(files)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# The project's warnings for one target, kept private so that consumers are not held to them;
# KW_WERROR makes them errors.
function(kw_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  # GCC 12 reports false overlaps (-Wrestrict) inside std::string concatenation once optimised.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(KW_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Makes the given folders or headers (relative to the project root) includable by their project
# path ("ui_shared/platform/variant.h") for `target` and, with `scope` PUBLIC or INTERFACE, for
# whatever links it. Each target gets a tree of links of its own in the build folder, so nothing
# else of the repository is on its include path.
function(kw_expose target scope)
  set(root ${PROJECT_BINARY_DIR}/exposed/${target})
  foreach(path ${ARGN})
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${root}/${path})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} $<BUILD_INTERFACE:${root}> $<INSTALL_INTERFACE:include>)
endfunction()
