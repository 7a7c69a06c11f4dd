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
# else of the repository is on its include path. INSTALL_ROOT (default "include") is the folder of
# the installed tree that holds the same paths; kw_install_headers installs the public ones there.
function(kw_expose target scope)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "INSTALL_ROOT" "")
  if(NOT arg_INSTALL_ROOT)
    set(arg_INSTALL_ROOT include)
  endif()
  set(root ${PROJECT_BINARY_DIR}/exposed/${target})
  foreach(path ${arg_UNPARSED_ARGUMENTS})
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${root}/${path})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} $<BUILD_INTERFACE:${root}> $<INSTALL_INTERFACE:${arg_INSTALL_ROOT}>)
  if(NOT scope STREQUAL "PRIVATE")
    set_property(TARGET ${target} APPEND PROPERTY KW_EXPOSED_PATHS ${arg_UNPARSED_ARGUMENTS})
    set_property(TARGET ${target} PROPERTY KW_INSTALL_ROOT ${arg_INSTALL_ROOT})
  endif()
endfunction()

# Installs the headers that kw_expose made public for each of the given targets, under the same
# project paths below the target's install root.
function(kw_install_headers)
  foreach(target ${ARGN})
    get_target_property(paths ${target} KW_EXPOSED_PATHS)
    get_target_property(install_root ${target} KW_INSTALL_ROOT)
    foreach(path ${paths})
      get_filename_component(parent ${path} DIRECTORY)
      if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${path})
        install(DIRECTORY ${PROJECT_SOURCE_DIR}/${path} DESTINATION ${install_root}/${parent}
                FILES_MATCHING PATTERN "*.h")
      else()
        install(FILES ${PROJECT_SOURCE_DIR}/${path} DESTINATION ${install_root}/${parent})
      endif()
    endforeach()
  endforeach()
endfunction()
