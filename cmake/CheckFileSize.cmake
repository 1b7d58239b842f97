# cmake -DFILE=PATH -DLIMIT=BYTES -P CheckFileSize.cmake: fails when the file is larger.
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} has ${size} bytes, more than the ${LIMIT} allowed.")
endif()
message(STATUS "${FILE}: ${size} bytes, within ${LIMIT}")
