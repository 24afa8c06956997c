# The "&Batch.." command.
list(APPEND VANTREL_UI_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/batch_command.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/batch_command.h
)
