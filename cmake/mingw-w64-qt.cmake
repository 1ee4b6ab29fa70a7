# The whole program for 64-bit Windows: the toolchain of the parts without Qt, with Qt for
# Windows from the cache that scripts/windows-qt.sh fills and the host's Qt tools (moc, rcc).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
# Qt's libraries take MinGW's shared runtime, and so does everything that links them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "")

file(GLOB kov_host_cmake /usr/lib/*/cmake/Qt6HostInfo)  # the host's multiarch folder
if(NOT kov_host_cmake)
  message(FATAL_ERROR "The host's Qt tools are missing: install qt6-base-dev")
endif()
cmake_path(GET kov_host_cmake PARENT_PATH kov_host_cmake)
file(STRINGS ${kov_host_cmake}/Qt6/Qt6ConfigVersionImpl.cmake kov_qt_version
     REGEX "^set\\(PACKAGE_VERSION ")
string(REGEX MATCH "[0-9][0-9.]*" kov_qt_version "${kov_qt_version}")
if(DEFINED ENV{XDG_CACHE_HOME})
  set(kov_cache $ENV{XDG_CACHE_HOME})
else()
  set(kov_cache $ENV{HOME}/.cache)
endif()
set(kov_qt ${kov_cache}/kov/qt6-mingw-${kov_qt_version})
if(NOT EXISTS ${kov_qt}/lib/cmake/Qt6/Qt6Config.cmake)
  message(FATAL_ERROR "Qt ${kov_qt_version} for Windows is not in ${kov_qt}: run scripts/windows-qt.sh")
endif()
set(CMAKE_PREFIX_PATH ${kov_qt})
list(PREPEND CMAKE_FIND_ROOT_PATH ${kov_qt})
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR ${kov_host_cmake})
set(Qt6HostInfo_DIR ${kov_host_cmake}/Qt6HostInfo)
