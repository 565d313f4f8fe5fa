# A Windows program finds the DLLs it links in its own directory first, so
# the program directory gets the MinGW runtime and, for the Qt programs, the
# Qt libraries and the plugins they load (the platform plugin in
# platforms/, the styles in styles/), copied again only when they change.
set(runtime_dlls)
foreach(name libstdc++-6.dll libwinpthread-1.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(IS_ABSOLUTE "${found}" AND EXISTS "${found}")
    list(APPEND runtime_dlls "${found}")
  endif()
endforeach()
add_custom_target(vantrell_windows_runtime ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTRELL_BIN_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${runtime_dlls} ${VANTRELL_BIN_DIR}
  COMMENT "Copying the MinGW runtime into the program directory"
  VERBATIM)

# Called once Qt is found: the Qt libraries of the given modules and the plugins.
function(vantrell_copy_qt_runtime)
  set(dlls)
  foreach(module ${ARGN})
    list(APPEND dlls $<TARGET_FILE:Qt6::${module}>)
  endforeach()
  get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
  get_filename_component(qt_prefix "${qt_core_dll}/../.." ABSOLUTE)
  add_custom_target(vantrell_windows_qt_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTRELL_BIN_DIR}/platforms ${VANTRELL_BIN_DIR}/styles
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dlls} ${VANTRELL_BIN_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_prefix}/plugins/platforms/qwindows.dll
            ${qt_prefix}/plugins/platforms/qoffscreen.dll ${VANTRELL_BIN_DIR}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll
            ${VANTRELL_BIN_DIR}/styles
    COMMENT "Copying the Qt libraries and plugins into the program directory"
    VERBATIM)
endfunction()
