# Libraries that a start-up does not need are loaded at their first call:
# under Wine each imported DLL costs its load and its start-up at every launch
# of the program, before WinMain. dlltool makes a delay-import library from
# each cmake/delay/<dll>.def, which lists the functions the program calls (a
# call to another function of these DLLs needs its name added there).
# Sets CORVANDEL_DELAY_IMPORTS, the libraries to link instead, and defines
# corvandel_check_delay_imports.
find_program(CORVANDEL_DLLTOOL NAMES x86_64-w64-mingw32-dlltool REQUIRED)
find_program(CORVANDEL_OBJDUMP NAMES x86_64-w64-mingw32-objdump REQUIRED)
set(CORVANDEL_DELAYED_DLLS shell32 comdlg32 ole32 oleaut32 shlwapi)
set(CORVANDEL_DELAY_IMPORTS)
foreach(dll ${CORVANDEL_DELAYED_DLLS})
  set(def ${CMAKE_SOURCE_DIR}/cmake/delay/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
    COMMAND ${CORVANDEL_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
    DEPENDS ${def} VERBATIM)
  add_custom_target(delay_${dll} DEPENDS ${lib})
  add_library(corvandel_delay_${dll} STATIC IMPORTED)
  set_target_properties(corvandel_delay_${dll} PROPERTIES IMPORTED_LOCATION ${lib})
  add_dependencies(corvandel_delay_${dll} delay_${dll})
  list(APPEND CORVANDEL_DELAY_IMPORTS corvandel_delay_${dll})
endforeach()

# Fails the build of target when its import table names one of these DLLs:
# a function called but missing from its .def file is imported directly, and
# the DLL is loaded at every start again.
function(corvandel_check_delay_imports target)
  string(REPLACE ";" "," dlls "${CORVANDEL_DELAYED_DLLS}")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CORVANDEL_OBJDUMP} -DFILE=$<TARGET_FILE:${target}> -DDLLS=${dlls}
            -P ${CMAKE_SOURCE_DIR}/cmake/check_delay_imports.cmake
    VERBATIM)
endfunction()
