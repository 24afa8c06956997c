# The letter command.
list(APPEND VANTREL_UI_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/letter_command.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/letter_command.h
)
