# The dispatcher, the composition root and the single-argument modes. Other modes add their
# own list(APPEND ...) lines below.
list(APPEND VANTREL_APP_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/mode_fallbacks.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/services.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/now_mode.cpp
)
list(APPEND VANTREL_APP_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/batch_mode.cpp)
list(APPEND VANTREL_APP_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/window_mode.cpp)
