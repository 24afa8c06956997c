# Clipboard, shell open, message boxes, tray balloons and the single-instance guard.
list(APPEND VANTREL_PLATFORM_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_clipboard.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_clipboard.h
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_messages.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_messages.h
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_shell.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_single_instance.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_single_instance.h
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_shell.h
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_tray.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_tray.h
)
