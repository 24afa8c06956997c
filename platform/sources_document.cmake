# The letter's word processor.
list(APPEND VANTREL_PLATFORM_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/libreoffice_document.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/libreoffice_document.h
  ${CMAKE_CURRENT_SOURCE_DIR}/libreoffice_document_model.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/libreoffice_document_model.h
)
