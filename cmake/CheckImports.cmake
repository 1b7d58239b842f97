# cmake -DFILE=PATH -DOBJDUMP=TOOL -P CheckImports.cmake: fails when the program's import table
# names a library that is not on Windows' known list. Windows loads a known library from the
# system alone; any other it would look for in the program's folder first, where a card package
# may have been saved beside strangers' files. The others are loaded at run time from System32.
cmake_minimum_required(VERSION 3.16)
set(known ADVAPI32.dll COMDLG32.dll GDI32.dll KERNEL32.dll msvcrt.dll ole32.dll SHELL32.dll
    USER32.dll)
execute_process(COMMAND "${OBJDUMP}" -p "${FILE}" OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${FILE}.")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${headers}")
if(NOT names)
  message(FATAL_ERROR "${FILE} imports nothing, which no Windows program does: not read right.")
endif()
string(TOLOWER "${known}" known)
foreach(line IN LISTS names)
  string(REPLACE "DLL Name: " "" name "${line}")
  string(TOLOWER "${name}" lowered)
  if(NOT lowered IN_LIST known)
    message(FATAL_ERROR "${FILE} imports ${name}, which is not on Windows' known list.")
  endif()
  message(STATUS "${name}: on the known list")
endforeach()
