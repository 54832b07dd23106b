# Installing the library as C++ programmers expect: the static library, the
# public headers, a CMake package (find_package(Korvath 1.0 CONFIG) gives
# Korvath::korvath with its include path and dependencies) and korvath.pc for
# pkg-config. Inside a build tree the same name is an alias, so a host that
# adds this project with add_subdirectory links it the same way.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

add_library(Korvath::korvath ALIAS korvath)
set_target_properties(korvath PROPERTIES EXPORT_NAME korvath)

install(TARGETS korvath EXPORT KorvathTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY include/korvath DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(KORVATH_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Korvath)
install(EXPORT KorvathTargets NAMESPACE Korvath:: DESTINATION ${KORVATH_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KorvathConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/KorvathConfig.cmake INSTALL_DESTINATION ${KORVATH_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/KorvathConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/KorvathConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/KorvathConfigVersion.cmake
  DESTINATION ${KORVATH_CMAKE_DIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/korvath.pc.in ${CMAKE_CURRENT_BINARY_DIR}/korvath.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/korvath.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
