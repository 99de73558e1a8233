# Install the DLLs, import libraries and headers, and a package a host finds with find_package(qvwin).
include(CMakePackageConfigHelpers)

set(QV_INSTALL_TARGETS qv.core)
foreach(t qv.mfc qv.win)
  if(TARGET ${t})
    list(APPEND QV_INSTALL_TARGETS ${t})
  endif()
endforeach()

install(TARGETS ${QV_INSTALL_TARGETS} EXPORT qvwinTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${QV_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/qv.win DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(TARGET qv.mfc)
  install(DIRECTORY mfc/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qv.mfc)
endif()

set(QV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/qvwin)
install(EXPORT qvwinTargets NAMESPACE qv:: DESTINATION ${QV_CMAKE_DIR})
configure_package_config_file(cmake/qvwinConfig.cmake.in
  ${CMAKE_BINARY_DIR}/qvwinConfig.cmake INSTALL_DESTINATION ${QV_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/qvwinConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/qvwinConfig.cmake ${CMAKE_BINARY_DIR}/qvwinConfigVersion.cmake
        DESTINATION ${QV_CMAKE_DIR})
