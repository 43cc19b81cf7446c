# Install rules: the checker with its manual page, and the touchstone2 library
# with its headers, a CMake package and a pkg-config file, so that other
# programs can read Touchstone files through the same parser.
#
# Every destination is relative, so `cmake --install <build> --prefix <p>`
# may choose the prefix at install time, and the package files find their
# prefix from where they are installed rather than from the configure step.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TOUCHSTONE2_INCLUDE_SUBDIR touchstone2)
set(TOUCHSTONE2_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/touchstone2)
set(TOUCHSTONE2_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Headers include each other as "model/file.h", so the include root is the
# folder that holds the five library folders.
target_include_directories(touchstone2 PUBLIC
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/${TOUCHSTONE2_INCLUDE_SUBDIR}>)
# The headers use C++17; a consumer that asks for less would fail in them.
target_compile_features(touchstone2 PUBLIC cxx_std_17)

install(TARGETS snpvet
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/docs/snpvet.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(TARGETS touchstone2
  EXPORT touchstone2Targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The folder list is the build's own; headers are picked at install time, so
# a new header needs no change here. Unit tests and their helpers stay home.
foreach(dir ${LIBRARY_DIRS})
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${dir}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${TOUCHSTONE2_INCLUDE_SUBDIR}
    FILES_MATCHING PATTERN "*.h"
    PATTERN "*_test*" EXCLUDE)
endforeach()

install(EXPORT touchstone2Targets
  NAMESPACE touchstone2::
  DESTINATION ${TOUCHSTONE2_CMAKE_DIR})

configure_package_config_file(
  ${CMAKE_CURRENT_SOURCE_DIR}/cmake/touchstone2Config.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/touchstone2Config.cmake
  INSTALL_DESTINATION ${TOUCHSTONE2_CMAKE_DIR})

# The library has no stable interface across major versions yet.
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/touchstone2ConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)

install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/touchstone2Config.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/touchstone2ConfigVersion.cmake
  DESTINATION ${TOUCHSTONE2_CMAKE_DIR})

# pkg-config substitutes ${pcfiledir} with the folder the .pc file was found
# in; the way back up to the prefix is fixed by the layout chosen above.
file(RELATIVE_PATH TOUCHSTONE2_PC_TO_PREFIX
  /prefix/${TOUCHSTONE2_PKGCONFIG_DIR} /prefix)
string(REGEX REPLACE "/$" "" TOUCHSTONE2_PC_TO_PREFIX "${TOUCHSTONE2_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/touchstone2.pc.in
  ${CMAKE_CURRENT_BINARY_DIR}/touchstone2.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/touchstone2.pc
  DESTINATION ${TOUCHSTONE2_PKGCONFIG_DIR})
