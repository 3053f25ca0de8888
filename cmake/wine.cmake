# Runs the cross-built tests under Wine, in a private prefix inside the build tree.
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
# Wine's own launcher picks the 32-bit loader whenever it is installed, even where it cannot run, so a
# 64-bit tree names its loader directly.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(WINE_LOADER /usr/lib/wine/wine64)
else()
  set(WINE_LOADER wine)
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
