# Helpers shared by the library, test and demo targets.

# Warnings are errors in our own code.
function(qv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# A DLL of ours: one export macro, <NAME>_EXPORTS defined while it is built.
function(qv_add_dll target macro_prefix)
  add_library(${target} SHARED ${ARGN})
  qv_warnings(${target})
  target_compile_definitions(${target} PRIVATE ${macro_prefix}_BUILD)
  set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "lib")
endfunction()

# The shared C++ runtime must sit beside every executable and DLL.
function(qv_copy_runtime_dlls)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${path}")
      message(FATAL_ERROR "runtime DLL ${dll} not found")
    endif()
    file(COPY "${path}" DESTINATION "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    list(APPEND QV_RUNTIME_DLLS "${path}")
  endforeach()
  set(QV_RUNTIME_DLLS "${QV_RUNTIME_DLLS}" PARENT_SCOPE)
endfunction()
