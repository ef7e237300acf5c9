# Installation: headers, static library, CMake package files and pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS korvex EXPORT korvexTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
# korvex.h is the umbrella over one header per subsystem in korvex/; both go in together.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/runtime/include/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")
install(EXPORT korvexTargets NAMESPACE korvex::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/korvex)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/korvexConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/korvexConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/korvex)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/korvexConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/korvexConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/korvexConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/korvex)
# The pkg-config file finds its prefix from its own place, so the tree works wherever
# `cmake --install --prefix` puts it.
file(RELATIVE_PATH pc_to_prefix /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
set(KORVEX_PC_PREFIX "\${pcfiledir}/${pc_to_prefix}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/korvex.pc.in ${CMAKE_CURRENT_BINARY_DIR}/korvex.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/korvex.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# korvex-plot draws the runtime's gnuplot command file with today's gnuplot: copied into the
# build tree's bin/ for the tests and examples, and installed beside korvex-mex.
set(KORVEX_PLOT ${PROJECT_BINARY_DIR}/bin/korvex-plot)
configure_file(${PROJECT_SOURCE_DIR}/runtime/graphics/korvex-plot ${KORVEX_PLOT} COPYONLY)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/runtime/graphics/korvex-plot
        DESTINATION ${CMAKE_INSTALL_BINDIR})
