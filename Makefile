# The two commands: `make run` and `make test`. CMake does the building;
# this file only installs what is missing and calls the presets.

# What building the program, its tests and its benchmarks needs, and the
# fonts that stand in for the Japanese faces the window asks for.
BUILD_PACKAGES := cmake ninja-build g++ make \
  qt6-base-dev libgl-dev libfontconfig-dev libgtest-dev libgmock-dev libbenchmark-dev \
  fonts-ipafont-gothic fonts-rocknroll
# Printing hands the page to the default queue with lp.
RUN_PACKAGES := cups-client
# A virtual display and a screenshot where there is no display.
DISPLAY_PACKAGES := xvfb xauth xdotool imagemagick
# CPack's Debian generator finds library dependencies with dpkg-shlibdeps.
PACKAGE_PACKAGES := dpkg-dev file

# A print service with the PDF printer's driver and a PostScript renderer,
# the accessibility bus, the desktop-entry validator, the locale sources and
# a Wayland compositor with Qt's Wayland platform and a screen reader, for
# the tests of printing, of the real program driven from outside, of the
# install, of the texts under another locale, of the window's app id and of
# what a blind user hears.
TEST_PACKAGES := cups printer-driver-cups-pdf ghostscript \
  dbus-daemon at-spi2-core python3 python3-pyatspi desktop-file-utils locales \
  xclip weston qt6-wayland orca $(PACKAGE_PACKAGES) lintian appstream

# The Windows program: Debian's MinGW-w64, Qt built from Debian's own Qt
# source (with wine's tablet headers), GoogleTest's source, the installer
# maker, zip, and 64-bit wine on a virtual display to run the tests and the
# installer, and a print service, the Japanese locale's sources and a
# PostScript renderer for the optician's day under wine.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix dpkg-dev xz-utils libwine-dev googletest \
  nsis zip unzip wine64 xvfb xauth xdotool xclip imagemagick \
  python3 cups printer-driver-cups-pdf ghostscript locales

# The page: Debian's emscripten and Node.js, Python's font tools to cut the
# stand-in faces down, and the faces themselves.
WEB_PACKAGES := cmake ninja-build make emscripten nodejs node-acorn python3 \
  python3-fonttools python3-brotli fontconfig fonts-ipafont-gothic fonts-rocknroll
# The page's tests and its start-up figures: headless Chromium and its
# driver, and a PDF renderer for the printed page.
BROWSER_PACKAGES := chromium chromium-driver python3-selenium ghostscript imagemagick

# toric-combine's fuzz target: clang with libFuzzer and the sanitizers.
FUZZ_PACKAGES := clang libclang-rt-dev

# Start-up, memory and response figures need an X server and a pixel reader,
# and the instruction count callgrind.
BENCH_PACKAGES := python3-xlib valgrind

.PHONY: run test bench fuzz soak package windows screenshot web

run:
	scripts/install-packages $(BUILD_PACKAGES) $(RUN_PACKAGES) $(DISPLAY_PACKAGES)
	cmake --preset default
	cmake --build --preset default --target toric
	scripts/run-program build/default/app/toric build/screenshot.png

test:
	scripts/install-packages $(BUILD_PACKAGES) $(RUN_PACKAGES) $(DISPLAY_PACKAGES) $(TEST_PACKAGES) \
	  $(WEB_PACKAGES) $(BROWSER_PACKAGES)
	cmake --preset web
	cmake --build --preset web
	cmake --preset default
	cmake --build --preset default
	ctest --preset default
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench:
	scripts/install-packages $(BUILD_PACKAGES) $(RUN_PACKAGES) $(DISPLAY_PACKAGES) $(BENCH_PACKAGES) \
	  $(WEB_PACKAGES) $(BROWSER_PACKAGES)
	cmake --preset default
	cmake --build --preset default
	cmake --preset web
	cmake --build --preset web
	scripts/with-runtime-dir xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -br" \
	  /usr/bin/python3 bench/report.py build/default
	scripts/with-runtime-dir /usr/bin/python3 bench/page_report.py build/web

# The page in build/web: index.html and its files for a web server, and
# toric.html, the same page in one file to open from disk.
web:
	scripts/install-packages $(WEB_PACKAGES)
	cmake --preset web
	cmake --build --preset web

# toric-combine's readers fuzzed for FUZZ_SECONDS (ten minutes; CI runs
# one), reporting executions and findings.
FUZZ_SECONDS ?= 600
fuzz:
	scripts/install-packages cmake ninja-build make $(FUZZ_PACKAGES)
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/run-fuzz build/fuzz $(FUZZ_SECONDS)

# A million lists as labs save them, each with its right answer known, read
# by toric-combine: every wrong answer is printed with the list that gave it
# (SOAK_LISTS and SOAK_SEED choose others).
SOAK_LISTS ?= 1000000
SOAK_SEED ?= 1
soak:
	scripts/install-packages $(BUILD_PACKAGES)
	cmake --preset default
	cmake --build --preset default --target lab_exports_soak
	build/default/tests/lab_exports_soak $(SOAK_LISTS) $(SOAK_SEED)

# One .deb under build/packages/, stripped, from the install rules.
package:
	scripts/install-packages $(BUILD_PACKAGES) $(PACKAGE_PACKAGES)
	cmake --preset default
	cmake --build --preset default
	rm -f build/packages/*.deb
	cpack --config build/default/CPackConfig.cmake -B build/packages

# The Windows zip and installer under build/packages/, checked under wine.
windows:
	scripts/install-packages $(BUILD_PACKAGES) $(WINDOWS_PACKAGES)
	scripts/build-windows

# The README's picture of the window with a result, made again by the
# program itself whenever the window changes: lens 1 S-1.25 C-0.50 A180,
# lens 2 S+0.50 C-0.75 A90, calculated.
screenshot:
	scripts/install-packages $(BUILD_PACKAGES) $(DISPLAY_PACKAGES)
	cmake --preset default
	cmake --build --preset default --target toric
	QT_FONT_DPI=96 LANG=C.UTF-8 scripts/with-runtime-dir \
	  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
	  scripts/screenshot-window build/default/app/toric data/window.png \
	  Tab Tab Tab Right Right Right Right Right Tab Right Right Tab End \
	  Tab Left Left Tab Right Right Right Tab \
	  shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab \
	  shift+Tab shift+Tab Return
