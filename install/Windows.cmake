# The Windows layout, the one the window looks for: the programs at the top of their folder with
# Shared\Sistemi beside them, and nothing else. Packed by `cpack` into a 64-bit NSIS installer,
# which puts it under Program Files with a Start-menu entry and an uninstaller, and into a ZIP that
# runs where it is unpacked.
install(TARGETS elencario stampa-elencario RUNTIME DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Shared/Sistemi/ DESTINATION Shared/Sistemi)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME stampa-elencario)
set(CPACK_PACKAGE_VENDOR "Stampa Elencario")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stampa i sistemi del lotto come elenco compatto")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Stampa Elencario")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Stampa Elencario")
set(CPACK_PACKAGE_EXECUTABLES stampa-elencario "Stampa Elencario")
set(CPACK_STRIP_FILES ON)

# A 32-bit installer would write into the 32-bit Program Files and registry, and on a Windows
# without its 32-bit layer it installs nothing at all.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Stampa Elencario")
set(CPACK_NSIS_DISPLAY_NAME "Stampa Elencario")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME stampa-elencario.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/app/win32/stampante.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/app/win32/stampante.ico)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")

# The installer's pages in Italian whatever the language of Windows, and the Start-menu entry that
# uninstalls named in Italian: CMake's own installer script with Italian its only language.
set(modello_nsis "${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in")
file(READ "${modello_nsis}" script_nsis)
string(REGEX REPLACE "(\n *!insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*)+"
                     "\n  !insertmacro MUI_LANGUAGE \"Italian\"" italiano "${script_nsis}")
string(REPLACE "\\Uninstall.lnk" "\\Disinstalla Stampa Elencario.lnk" italiano "${italiano}")
string(REGEX MATCHALL "MUI_LANGUAGE \"[A-Za-z]+\"" lingue "${italiano}")
string(REGEX MATCHALL "Disinstalla Stampa Elencario.lnk" voci "${italiano}")
list(LENGTH voci numero_voci)
# A newer CMake may write its script otherwise: better no installer than an English one.
if(NOT lingue STREQUAL "MUI_LANGUAGE \"Italian\"" OR numero_voci LESS 2)
    message(FATAL_ERROR "Lo script dell'installatore di ${modello_nsis} non è quello atteso")
endif()
file(WRITE "${PROJECT_BINARY_DIR}/installatore/NSIS.template.in" "${italiano}")
set(CPACK_MODULE_PATH "${PROJECT_BINARY_DIR}/installatore" ${CMAKE_MODULE_PATH})
include(CPack)
