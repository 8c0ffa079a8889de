# cmake -DOBJDUMP=... -DFILE=program.exe -DDLLS=a,b -P check_delay_imports.cmake
# Fails when the program imports one of the DLLs directly (see
# delay_imports.cmake).
execute_process(COMMAND ${OBJDUMP} -p ${FILE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${FILE}")
endif()
string(TOLOWER "${dump}" dump)
string(REPLACE "," ";" dlls "${DLLS}")
foreach(dll ${dlls})
  if(dump MATCHES "dll name: ${dll}\\.dll")
    message(FATAL_ERROR "${FILE} imports ${dll}.dll directly: add the functions it calls to cmake/delay/${dll}.def")
  endif()
endforeach()
