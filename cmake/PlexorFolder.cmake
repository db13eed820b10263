# One folder of src/ builds up to two static libraries:
#   plexor_<dir>       the core: kernels and value types, every .cpp and .h of
#                      the folder that is not listed as menu code. It may not
#                      include a shell/ header (checked by the CoreLayers test).
#   plexor_<dir>_menu  the menu routines: dialogue, session state, reports and
#                      side files (the files listed after MENU). It builds on
#                      the core, the shell and the menu libraries it calls.
#
# plexor_folder(<dir>
#               [DEPENDS <core libraries the core calls>]
#               [MENU <menu files, .cpp and .h, relative to the folder>]
#               [MENU_DEPENDS <menu libraries the menu code calls>])
#
# The dependencies stated are the real ones: the program links without
# rescanning, so a core library that calls a menu routine, or two menu
# libraries that call each other, fail to link.
function(plexor_folder dir)
  cmake_parse_arguments(F "" "" "DEPENDS;MENU;MENU_DEPENDS" ${ARGN})
  set(root ${CMAKE_SOURCE_DIR}/src/${dir})
  file(GLOB sources CONFIGURE_DEPENDS ${root}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${root}/*.h)
  set(menu_files)
  foreach(f ${F_MENU})
    if(NOT EXISTS ${root}/${f})
      message(FATAL_ERROR "plexor_folder(${dir}): menu file ${f} does not exist")
    endif()
    list(APPEND menu_files ${root}/${f})
  endforeach()
  set(core_sources ${sources})
  set(core_headers ${headers})
  if(menu_files)
    list(REMOVE_ITEM core_sources ${menu_files})
    list(REMOVE_ITEM core_headers ${menu_files})
  endif()

  if(core_sources)
    add_library(plexor_${dir} STATIC ${core_sources} ${core_headers})
  else()
    add_library(plexor_${dir} STATIC ${CMAKE_SOURCE_DIR}/src/empty.cpp)
  endif()
  target_include_directories(plexor_${dir} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(plexor_${dir} PUBLIC ${F_DEPENDS} GSL::gsl GSL::gslcblas OpenMP::OpenMP_CXX)
  set_property(GLOBAL APPEND PROPERTY PLEXOR_CORE_FILES ${core_sources} ${core_headers})
  set_property(GLOBAL APPEND PROPERTY PLEXOR_CORE_LIBRARIES plexor_${dir})

  set(menu_sources ${menu_files})
  list(FILTER menu_sources INCLUDE REGEX "\\.cpp$")
  if(menu_sources)
    add_library(plexor_${dir}_menu STATIC ${menu_files})
    target_link_libraries(plexor_${dir}_menu PUBLIC plexor_${dir} ${F_MENU_DEPENDS} plexor_shell)
    set_property(GLOBAL APPEND PROPERTY PLEXOR_MENU_LIBRARIES plexor_${dir}_menu)
  endif()
  set_property(GLOBAL APPEND PROPERTY PLEXOR_FOLDERS ${dir})
endfunction()

# The shell: start-up, main loop, session state and the services every menu
# routine uses. It knows no analysis: it includes ZQLib and shell headers only.
function(plexor_shell_folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/shell/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/shell/*.h)
  add_library(plexor_shell STATIC ${sources} ${headers})
  target_include_directories(plexor_shell PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(plexor_shell PUBLIC plexor_ZQLib OpenMP::OpenMP_CXX)
  set_property(GLOBAL APPEND PROPERTY PLEXOR_FOLDERS shell)
  set_property(GLOBAL APPEND PROPERTY PLEXOR_SHELL_FILES ${sources} ${headers})
endfunction()

# Every object of every library links with only the libraries that library
# states (link_<library>, built with the tests): a dependency left out of a
# plexor_folder call is a link error, not a surprise in some later program.
function(plexor_add_link_checks)
  get_property(libs GLOBAL PROPERTY PLEXOR_CORE_LIBRARIES)
  get_property(menus GLOBAL PROPERTY PLEXOR_MENU_LIBRARIES)
  foreach(lib ${libs} ${menus} plexor_shell)
    add_executable(link_${lib} ${CMAKE_SOURCE_DIR}/cmake/LinkCheck.cpp)
    target_link_libraries(link_${lib} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>")
  endforeach()
endfunction()

# Test CoreLayers: no core file includes a shell/ header, and no shell file
# includes a header of an analysis folder.
function(plexor_add_layer_check)
  get_property(core GLOBAL PROPERTY PLEXOR_CORE_FILES)
  get_property(shell GLOBAL PROPERTY PLEXOR_SHELL_FILES)
  set(list_file ${CMAKE_BINARY_DIR}/layer-files.cmake)
  file(WRITE ${list_file} "set(CORE_FILES \"${core}\")\nset(SHELL_FILES \"${shell}\")\n")
  add_test(NAME CoreLayers
           COMMAND ${CMAKE_COMMAND} -DLIST_FILE=${list_file} -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake)
endfunction()
