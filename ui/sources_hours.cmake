# The planetary-hours window, the alarm and the live mode.
list(APPEND VANTREL_UI_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/alarm_controller.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/alarm_controller.h
  ${CMAKE_CURRENT_SOURCE_DIR}/hours_window.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/hours_window.h
)
