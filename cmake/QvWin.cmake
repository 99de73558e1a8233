# qv.win: the GL framework, graph, drawing support, controls, utilities and log sinks.
file(GLOB QV_WIN_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/gl/*.cpp ${CMAKE_SOURCE_DIR}/gui/*.cpp
     ${CMAKE_SOURCE_DIR}/util/*.cpp ${CMAKE_SOURCE_DIR}/log/*.cpp)
if(QV_WIN_SOURCES)
  qv_add_dll(qv.win QV_WIN ${QV_WIN_SOURCES})
  target_include_directories(qv.win PUBLIC
    $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(qv.win PUBLIC qv.core)
  if(TARGET qv.mfc)
    target_link_libraries(qv.win PUBLIC qv.mfc)
  endif()
  target_link_libraries(qv.win PUBLIC opengl32 glu32 gdiplus comctl32 msimg32 shlwapi gdi32 user32 advapi32)
endif()
