# A Debian package built by CPack from the install rules: `make package`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME toric)
set(CPACK_PACKAGE_VENDOR "The Toric Lens Combination developers")
set(CPACK_PACKAGE_CONTACT
    "Toric Lens Combination developers <toric@toriclens.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "calculator combining two toric spectacle lenses")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop calculator for spectacle optics, for opticians and students.
Set the sphere, cylinder and axis of two toric (sphero-cylindrical) lenses
on six scroll bars, press calculate, and read the single prescription that
equals the two lenses laid one on the other. The window is in Japanese; it
can be printed on the default printer, and the result copied to the
clipboard. toric-combine does the same for prescriptions typed on the
command line, and for whole lists of them.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY toric)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries: the fonts the window's looks depend on, and lp,
# which hands the printed page to the print service.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-rocknroll, cups-client")
# Qt's Wayland platform: without it the window runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Directories as Debian packages have them, whatever the umask: those the
# install rules make, and those CPack makes around them (./usr and up).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_dir_modes.cmake)

# CPack installs the one component every install rule is in, so that the
# build's install_manifest.txt stays the list the user's own install wrote
# (the README's uninstall reads it).
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/")

include(CPack)
