# Installs the build into a scratch prefix, stripped as the README says, and
# checks what a desktop needs: the programs and their manual pages, the menu
# entry with the icon it names at its sizes, and the metadata naming the
# entry (package_test checks the whole file list). The build's install
# manifest, which the user's own install wrote and the README's uninstall
# reads, is never touched: the one component every rule is in is installed
# by name, and its list goes to install_manifest_Unspecified.txt.
# cmake -D BUILD_DIR=... -D PREFIX=... -P install_test.cmake
set(manifest "${BUILD_DIR}/install_manifest.txt")
set(manifest_before "(none)")
if(EXISTS "${manifest}")
  file(SHA256 "${manifest}" manifest_before)
endif()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}"
                        --prefix "${PREFIX}" --strip --component Unspecified
                RESULT_VARIABLE result OUTPUT_QUIET)

set(manifest_after "(none)")
if(EXISTS "${manifest}")
  file(SHA256 "${manifest}" manifest_after)
endif()
if(NOT manifest_after STREQUAL manifest_before)
  message(FATAL_ERROR "the install changed ${manifest}")
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

# The menu entry names the icon, and the metadata names the menu entry: a
# name that no installed file has leaves a blank icon or an unknown program.
set(entry "${PREFIX}/share/applications/org.toriclens.toric.desktop")
if(NOT EXISTS "${entry}")
  message(FATAL_ERROR "not installed: the menu entry ${entry}")
endif()
file(STRINGS "${entry}" icon_line REGEX "^Icon=")
string(REGEX REPLACE "^Icon=" "" icon "${icon_line}")
set(metainfo "${PREFIX}/share/metainfo/org.toriclens.toric.metainfo.xml")
file(READ "${metainfo}" metadata)
foreach(expected "<id>org.toriclens.toric</id>"
                 "<launchable type=\"desktop-id\">org.toriclens.toric.desktop</launchable>")
  string(FIND "${metadata}" "${expected}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${metainfo} does not say ${expected}")
  endif()
endforeach()

set(icons "${PREFIX}/share/icons/hicolor")
foreach(path
    bin/toric
    bin/toric-combine
    share/man/man1/toric.1.gz
    share/man/man1/toric-combine.1.gz
    share/man/ja/man1/toric.1.gz
    share/man/ja/man1/toric-combine.1.gz
    share/icons/hicolor/scalable/apps/${icon}.svg
    share/icons/hicolor/16x16/apps/${icon}.png
    share/icons/hicolor/32x32/apps/${icon}.png
    share/icons/hicolor/48x48/apps/${icon}.png
    share/icons/hicolor/256x256/apps/${icon}.png)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

# A PNG's width and height are the two big-endian words after "IHDR".
foreach(size_and_header "16;0000001000000010" "32;0000002000000020"
                        "48;0000003000000030" "256;0000010000000100")
  list(GET size_and_header 0 size)
  list(GET size_and_header 1 expected)
  file(READ "${icons}/${size}x${size}/apps/${icon}.png" header
       OFFSET 16 LIMIT 8 HEX)
  if(NOT header STREQUAL expected)
    message(FATAL_ERROR "${size}x${size} icon has the header ${header}")
  endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
