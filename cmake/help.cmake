# Help/English.chm: the HTML Help file that the program opens from its Help
# folder, compiled from data/Help/src with chmcmd (Free Pascal's fp-utils).
# chmcmd writes the .chm into its working directory and finds the sources
# through the project file's own folder.
find_program(CHMCMD_EXECUTABLE chmcmd REQUIRED)

set(CORVANDEL_HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/data/Help/src)
set(CORVANDEL_HELP_CHM ${CMAKE_BINARY_DIR}/Help/English.chm)
file(GLOB CORVANDEL_HELP_SOURCES CONFIGURE_DEPENDS ${CORVANDEL_HELP_SOURCE_DIR}/*)

add_custom_command(
  OUTPUT ${CORVANDEL_HELP_CHM}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/Help
  COMMAND ${CHMCMD_EXECUTABLE} ${CORVANDEL_HELP_SOURCE_DIR}/English.hhp
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/Help
  DEPENDS ${CORVANDEL_HELP_SOURCES}
  COMMENT "Compiling Help/English.chm"
  VERBATIM)
add_custom_target(help_chm ALL DEPENDS ${CORVANDEL_HELP_CHM})
