# Clipboard, shell open, message boxes and tray balloons.
list(APPEND VANTREL_PLATFORM_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_clipboard.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_clipboard.h
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_messages.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_messages.h
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_shell.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_shell.h
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_tray.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_tray.h
)
