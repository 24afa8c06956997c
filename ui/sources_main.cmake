# The main window, its About box and tip dialog, the pictures they share, and the composition
# of all windows.
list(APPEND VANTREL_UI_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/glyphs.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/glyphs.h
  ${CMAKE_CURRENT_SOURCE_DIR}/main_view_adapter.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/main_view_adapter.h
  ${CMAKE_CURRENT_SOURCE_DIR}/program_windows.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/program_windows.h
  ${CMAKE_CURRENT_SOURCE_DIR}/about_box.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/about_box.h
  ${CMAKE_CURRENT_SOURCE_DIR}/tip_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/tip_dialog.h
  ${CMAKE_CURRENT_SOURCE_DIR}/main_window.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/main_window.h
  ${CMAKE_CURRENT_SOURCE_DIR}/main_window_commands.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/web_links.h
)
