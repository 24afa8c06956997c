# Process, zone and regional-settings adapters (the clock is listed in CMakeLists.txt).
list(APPEND VANTREL_PLATFORM_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/qt_process_runner.cpp)
list(APPEND VANTREL_PLATFORM_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/qt_zone_rules.cpp)
list(APPEND VANTREL_PLATFORM_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/qt_regional_settings.cpp)
