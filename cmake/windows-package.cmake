# What kov.exe needs beside it on a Windows machine, and the zip an office unpacks:
# KoV-<version>-windows-x64.zip. Included by the top CMakeLists.txt for a Windows build.
install(FILES packaging/windows/LEGGIMI.txt DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
# Qt's licence, the LGPL 3, and the GPL 3 it builds on.
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION . RENAME LGPL-3.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION . RENAME GPL-3.txt)
# MinGW's runtime, the posix-thread build the compiler and Qt use.
set(kov_runtime_dlls "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}")
    message(FATAL_ERROR "MinGW's ${dll} not found")
  endif()
  list(APPEND kov_runtime_dlls ${path})
endforeach()
install(FILES ${kov_runtime_dlls} DESTINATION .)
# The libraries as built carry their symbols (libstdc++ alone 23 MB): the package does not.
install(CODE "
  file(GLOB_RECURSE dlls \"\${CMAKE_INSTALL_PREFIX}/*.dll\")
  execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \${dlls} \"\${CMAKE_INSTALL_PREFIX}/kov.exe\"
                  COMMAND_ERROR_IS_FATAL ANY)")
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME KoV-${PROJECT_VERSION}-windows-x64)
