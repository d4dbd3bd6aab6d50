# The Windows program as a zip and as an installer (NSIS), from the install
# rules: build/packages/toric-1.0.0-win64.zip and
# toric-1.0.0-win64-setup.exe. The installer puts a Start-menu entry with
# the program's icon, and an uninstaller.
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME toric)
set(CPACK_PACKAGE_VENDOR "The Toric Lens Combination developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Calculator combining two toric spectacle lenses")
set(CPACK_PACKAGE_FILE_NAME "toric-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Toric Lens Combination")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

# A 64-bit installer for the 64-bit program: it writes to the registry's
# and Program Files' own views, and runs under wine64 alone.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "Toric Lens Combination")
set(CPACK_NSIS_PACKAGE_NAME "Toric Lens Combination")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_PACKAGE_EXECUTABLES "toric" "Toric Lens Combination")
set(CPACK_NSIS_INSTALLED_ICON_NAME "toric.exe")
set(CPACK_NSIS_MUI_ICON
    "${PROJECT_SOURCE_DIR}/data/icons/toric-lens-combination.ico")
set(CPACK_NSIS_MUI_UNIICON
    "${PROJECT_SOURCE_DIR}/data/icons/toric-lens-combination.ico")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# CPack's uninstaller removes the program's key under the vendor's and
# leaves the vendor's own, empty: both go, the vendor's only when empty.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${CPACK_PACKAGE_INSTALL_DIRECTORY}")
set(vendor_key "Software\\${CPACK_PACKAGE_VENDOR}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "DeleteRegKey SHCTX \"${vendor_key}\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\"
  DeleteRegKey /ifempty SHCTX \"${vendor_key}\"")
# Values reach CPack as written here, quotes and backslashes included.
set(CPACK_VERBATIM_VARIABLES ON)
# The installer's own name says what it is.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package_names.cmake)

include(CPack)
