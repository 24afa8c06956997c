# The options dialog, the Astrolog data window, the wheel-chart window and the icons.
list(APPEND VANTREL_UI_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/dialog_windows.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/hints_switch.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/resources.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/output_windows.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/options_dialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/wmf_painter.cpp
)
qt_add_resources(VANTREL_DIALOGS_RESOURCES ${PROJECT_SOURCE_DIR}/data/vantrel.qrc)
list(APPEND VANTREL_UI_SOURCES ${VANTREL_DIALOGS_RESOURCES})
