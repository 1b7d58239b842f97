# Shared part of the two mingw-w64 toolchain files. The -posix compilers give std::thread and
# friends; everything is linked statically so card.exe needs no runtime DLLs beside it.
set(CMAKE_C_COMPILER ${CARD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CARD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CARD_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CARD_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
