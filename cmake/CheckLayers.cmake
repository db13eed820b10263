# Fails when a core file (kernels of an analysis folder or of ZQLib) includes
# a shell/ header, or when a shell file includes a header of an analysis
# folder. Run as the CoreLayers test: cmake -DLIST_FILE=<file> -P CheckLayers.cmake
include(${LIST_FILE})
set(faults "")
foreach(f ${CORE_FILES})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]shell/")
  foreach(l ${lines})
    string(APPEND faults "${f}: core file includes a shell header: ${l}\n")
  endforeach()
endforeach()
foreach(f ${SHELL_FILES})
  file(STRINGS ${f} lines
       REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](transform|resemblance|ordination|cluster|randomization|bootstrap|dynamics|pathanalysis)/")
  foreach(l ${lines})
    string(APPEND faults "${f}: shell file includes an analysis header: ${l}\n")
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "${faults}Menu code goes in the folder's MENU list (its CMakeLists.txt); "
                      "the shell reaches analyses only through the main menu table of src/main.cpp.")
endif()
list(LENGTH CORE_FILES n)
message(STATUS "${n} core files include no shell header")
