# What toric.exe needs beside it on a Windows that has neither Qt nor the
# compiler's runtime: the Qt libraries and the one platform plugin it
# loads, the MinGW runtime, the faces that stand in for missing Japanese
# Windows faces (loaded from fonts\), and the licences of all of them.
set(qt_prefix "${QT6_INSTALL_PREFIX}")
foreach(module Core Gui Widgets PrintSupport)
  install(FILES "${qt_prefix}/bin/Qt6${module}.dll" DESTINATION .)
endforeach()
install(FILES "${qt_prefix}/plugins/platforms/qwindows.dll"
        DESTINATION platforms)

foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll
                libssp-0.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}")  # the compiler knows it only by name
    find_file(path ${runtime} PATHS /usr/${TORIC_MINGW}/lib NO_DEFAULT_PATH
              NO_CACHE REQUIRED)
  endif()
  install(FILES "${path}" DESTINATION .)
endforeach()

install(FILES /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
              /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
              /usr/share/fonts/truetype/rocknroll/RocknRollOne-Regular.ttf
        DESTINATION fonts)

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licences
        RENAME toric.txt)
install(FILES /usr/share/doc/fonts-ipafont-gothic/copyright
        DESTINATION licences RENAME fonts-ipafont-gothic.txt)
install(FILES /usr/share/doc/fonts-rocknroll/copyright
        DESTINATION licences RENAME fonts-rocknroll.txt)
install(DIRECTORY "${qt_prefix}/share/licenses/qtbase/"
        DESTINATION licences/qtbase)
install(FILES /usr/share/doc/mingw-w64-common/copyright
        DESTINATION licences RENAME mingw-w64.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright
        DESTINATION licences RENAME gcc-runtime.txt)

# The libraries come with their symbols: stripped in the package, as the
# program is.
install(CODE "
  file(GLOB libraries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\"
                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/platforms/*.dll\")
  foreach(library \${libraries})
    execute_process(COMMAND ${TORIC_MINGW}-strip --strip-unneeded \${library})
  endforeach()")
