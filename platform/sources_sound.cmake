# Wave files through Qt Multimedia.
list(APPEND VANTREL_PLATFORM_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_sound.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qt_sound.h
)
