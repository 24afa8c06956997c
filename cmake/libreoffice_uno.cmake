# LibreOffice's C++ UNO SDK (Debian: libreoffice-dev). When it is there the letter is built
# through UNO, in a running Writer; otherwise as a flat OpenDocument file that Writer opens.
#
# Defines the interface target vantrel_uno (the SDK's headers, the interface headers that
# cppumaker generates from the office's type libraries, and the UNO runtime) and sets
# VANTREL_UNO_FOUND.

option(VANTREL_WITH_UNO "Build the letter through LibreOffice's UNO when its SDK is found" ON)
set(VANTREL_LIBREOFFICE_DIR "/usr/lib/libreoffice" CACHE PATH "LibreOffice's installation folder")
set(VANTREL_UNO_FOUND OFF)
if(NOT VANTREL_WITH_UNO)
  return()
endif()

set(_lo_program "${VANTREL_LIBREOFFICE_DIR}/program")
find_program(LIBREOFFICE_CPPUMAKER cppumaker PATHS "${VANTREL_LIBREOFFICE_DIR}/sdk/bin"
  NO_DEFAULT_PATH)
find_path(LIBREOFFICE_SDK_INCLUDE_DIR cppuhelper/bootstrap.hxx
  PATHS "${VANTREL_LIBREOFFICE_DIR}/sdk/include" /usr/include/libreoffice NO_DEFAULT_PATH)
foreach(_lib uno_sal uno_cppu uno_cppuhelpergcc3)
  # The libraries in the office's own folder: the copies elsewhere find their private
  # dependencies only from there.
  find_file(LIBREOFFICE_${_lib} lib${_lib}.so.3 PATHS "${_lo_program}" NO_DEFAULT_PATH)
  list(APPEND _lo_libraries "${LIBREOFFICE_${_lib}}")
endforeach()
set(_lo_types "${_lo_program}/types.rdb" "${_lo_program}/types/offapi.rdb")

set(_lo_missing "")
foreach(_what LIBREOFFICE_CPPUMAKER LIBREOFFICE_SDK_INCLUDE_DIR LIBREOFFICE_uno_sal
        LIBREOFFICE_uno_cppu LIBREOFFICE_uno_cppuhelpergcc3)
  if(NOT ${_what})
    list(APPEND _lo_missing ${_what})
  endif()
endforeach()
foreach(_file ${_lo_types})
  if(NOT EXISTS "${_file}")
    list(APPEND _lo_missing "${_file}")
  endif()
endforeach()
if(_lo_missing)
  message(STATUS "Letter through a flat document: LibreOffice's UNO SDK not found (${_lo_missing})")
  return()
endif()

# The interfaces the letter and its tests use; cppumaker adds every type they need.
set(_uno_types
  com.sun.star.awt.FontSlant
  com.sun.star.awt.FontUnderline
  com.sun.star.awt.FontWeight
  com.sun.star.awt.SystemDependentXWindow
  com.sun.star.awt.XSystemDependentWindowPeer
  com.sun.star.awt.XTopWindow
  com.sun.star.beans.XPropertySet
  com.sun.star.beans.XPropertyState
  com.sun.star.bridge.BridgeFactory
  com.sun.star.connection.Connector
  com.sun.star.connection.NoConnectException
  com.sun.star.container.XEnumerationAccess
  com.sun.star.container.XNamed
  com.sun.star.frame.Desktop
  com.sun.star.frame.XTerminateListener
  com.sun.star.lang.DisposedException
  com.sun.star.lang.SystemDependent
  com.sun.star.lang.XMultiServiceFactory
  com.sun.star.lang.XTypeProvider
  com.sun.star.style.ParagraphAdjust
  com.sun.star.text.ControlCharacter
  com.sun.star.text.XBookmarksSupplier
  com.sun.star.text.XParagraphCursor
  com.sun.star.text.XTextDocument
  com.sun.star.text.XTextViewCursorSupplier
  com.sun.star.uno.DeploymentException
  com.sun.star.uno.XAggregation
  com.sun.star.uno.XComponentContext
  com.sun.star.uno.XWeak
  com.sun.star.util.XCloseable
)
list(JOIN _uno_types ";" _uno_type_list)
set(_uno_out "${CMAKE_BINARY_DIR}/uno_headers")
set(_uno_stamp "${_uno_out}/generated.stamp")
add_custom_command(OUTPUT "${_uno_stamp}"
  COMMAND "${LIBREOFFICE_CPPUMAKER}" -Gc "-O${_uno_out}" "-T${_uno_type_list}" ${_lo_types}
  COMMAND "${CMAKE_COMMAND}" -E touch "${_uno_stamp}"
  DEPENDS ${_lo_types}
  COMMENT "Generating the UNO interface headers"
  VERBATIM)
add_custom_target(vantrel_uno_headers DEPENDS "${_uno_stamp}")

add_library(vantrel_uno INTERFACE)
target_include_directories(vantrel_uno SYSTEM INTERFACE
  "${LIBREOFFICE_SDK_INCLUDE_DIR}" "${_uno_out}")
target_compile_definitions(vantrel_uno INTERFACE LINUX UNX CPPU_ENV=gcc3
  VANTREL_LIBREOFFICE_PROGRAM_DIR="${_lo_program}")
target_link_libraries(vantrel_uno INTERFACE ${_lo_libraries})
add_dependencies(vantrel_uno vantrel_uno_headers)
# On X11 the link asks the window manager to focus the letter's window (libxcb1-dev).
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(VANTREL_XCB QUIET IMPORTED_TARGET xcb)
endif()
if(VANTREL_XCB_FOUND)
  target_link_libraries(vantrel_uno INTERFACE PkgConfig::VANTREL_XCB)
  target_compile_definitions(vantrel_uno INTERFACE VANTREL_WITH_XCB)
endif()
set(VANTREL_UNO_FOUND ON)
message(STATUS "Letter through UNO: ${LIBREOFFICE_SDK_INCLUDE_DIR}, ${_lo_program}")
