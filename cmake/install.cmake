# Install rules: the checker with its manual page, and the touchstone2 library
# with its headers, a CMake package and a pkg-config file, so that other
# programs can read Touchstone files through the same parser.
#
# Every destination is relative, so `cmake --install <build> --prefix <p>`
# may choose the prefix at install time; the CMake package finds its prefix
# from where it is installed, the pkg-config file is given it on install.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TOUCHSTONE2_INCLUDE_SUBDIR touchstone2)
set(TOUCHSTONE2_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/touchstone2)
set(TOUCHSTONE2_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Headers include each other as <touchstone2/file.h>, as callers do.
target_include_directories(touchstone2 PUBLIC
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
# The headers use C++17; a consumer that asks for less would fail in them.
target_compile_features(touchstone2 PUBLIC cxx_std_17)

install(TARGETS snpvet
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A shared library is found from the program's own place, so the prefix may
# move: bin/../lib.
file(RELATIVE_PATH TOUCHSTONE2_BIN_TO_LIB
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})
set_target_properties(snpvet PROPERTIES INSTALL_RPATH "$ORIGIN/${TOUCHSTONE2_BIN_TO_LIB}")

install(FILES ${PROJECT_BINARY_DIR}/snpvet.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(TARGETS touchstone2
  EXPORT touchstone2Targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Only what a user of the library includes, the headers of include/touchstone2
# listed in cmake/public_headers.txt: the file record and its containers, the
# parser, the message handlers and diagnostics, the writers and the
# description (the list is closed under their own includes). The lexer, the
# section readers, the vocabulary tables and the detailed error classes stay
# inside, beside their sources, free to change.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/public_headers.txt TOUCHSTONE2_PUBLIC_HEADERS)
foreach(header ${TOUCHSTONE2_PUBLIC_HEADERS} touchstone2.h)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/include/touchstone2/${header}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${TOUCHSTONE2_INCLUDE_SUBDIR})
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

# The .pc file names its prefix: the one given at install time (`cmake
# --install --prefix`), not the one known when configuring. So the file is
# filled in two steps: everything but the prefix now, the prefix when it is
# installed. DESTDIR staging keeps the final prefix, as it should.
foreach(kind LIB INCLUDE)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${kind}DIR}")
    set(TOUCHSTONE2_PC_${kind}DIR "${CMAKE_INSTALL_${kind}DIR}")
  else()
    set(TOUCHSTONE2_PC_${kind}DIR "\${prefix}/${CMAKE_INSTALL_${kind}DIR}")
  endif()
endforeach()
# Users see the quality headers' contents only with the library's definition.
set(TOUCHSTONE2_PC_CFLAGS "")
if(Eigen3_FOUND)
  set(TOUCHSTONE2_PC_CFLAGS " -DTOUCHSTONE2_QUALITY")
endif()
set(TOUCHSTONE2_PC_PREFIX "@TOUCHSTONE2_PC_PREFIX@")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/touchstone2.pc.in
  ${CMAKE_CURRENT_BINARY_DIR}/touchstone2.pc.prefixless @ONLY)
install(CODE "
  set(TOUCHSTONE2_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  configure_file(\"${CMAKE_CURRENT_BINARY_DIR}/touchstone2.pc.prefixless\"
    \"${CMAKE_CURRENT_BINARY_DIR}/touchstone2.pc\" @ONLY)
")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/touchstone2.pc
  DESTINATION ${TOUCHSTONE2_PKGCONFIG_DIR})
