# Libraries that a start-up does not need are loaded at their first call:
# under Wine each imported DLL costs its load and its start-up at every launch
# of the program, before WinMain. dlltool makes a delay-import library from
# each cmake/delay/<dll>.def, which lists the functions the program calls (a
# call to another function of these DLLs needs its name added there).
# Sets CORVANDEL_DELAY_IMPORTS, the libraries to link instead.
find_program(CORVANDEL_DLLTOOL NAMES x86_64-w64-mingw32-dlltool REQUIRED)
set(CORVANDEL_DELAY_IMPORTS)
foreach(dll shell32 comdlg32 ole32 oleaut32)
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
