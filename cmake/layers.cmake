# The layers as libraries (see docs/ARCHITECTURE.md, "Layers").
#
# corvandel_layer(NAME [FOLDERS folder...] [BELOW layer...] [EXCLUDE file...])
# makes corvandel_NAME from every *.cpp under its folders (NAME unless given),
# *_win32.cpp for Windows only and *_posix.cpp natively only, linked to the
# layers named below it.
function(corvandel_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "FOLDERS;BELOW;EXCLUDE")
  if(NOT LAYER_FOLDERS)
    set(LAYER_FOLDERS ${name})
  endif()
  set(sources)
  foreach(folder IN LISTS LAYER_FOLDERS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    foreach(src IN LISTS found)
      if((src MATCHES "_win32\\.cpp$" AND NOT WIN32) OR (src MATCHES "_posix\\.cpp$" AND WIN32))
        continue()
      endif()
      list(APPEND sources ${src})
    endforeach()
  endforeach()
  foreach(excluded IN LISTS LAYER_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${excluded})
  endforeach()
  add_library(corvandel_${name} STATIC ${sources})
  corvandel_layer_view(corvandel_${name} ${LAYER_FOLDERS})
  foreach(below IN LISTS LAYER_BELOW)
    target_link_libraries(corvandel_${name} PUBLIC corvandel_${below})
  endforeach()
endfunction()

# The include path of a layer's library: a folder of the build tree with a
# link to each of the given source folders and nothing else. Whoever links
# to the library sees these folders too.
function(corvandel_layer_view target)
  set(view ${CMAKE_BINARY_DIR}/layers/${target})
  file(MAKE_DIRECTORY ${view})
  foreach(folder IN LISTS ARGN)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${view})
endfunction()
