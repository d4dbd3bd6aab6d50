# The two commands: `make run` and `make test`. CMake does the building;
# this file only installs what is missing and calls the presets.

# What building the program, its tests and its benchmarks needs.
BUILD_PACKAGES := cmake ninja-build g++ make pkg-config \
  qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev

.PHONY: run test packages

packages:
	scripts/install-packages $(BUILD_PACKAGES)

run: packages
	cmake --preset default
	cmake --build --preset default --target toric
	build/default/app/toric

test: packages
	cmake --preset default
	cmake --build --preset default
	ctest --preset default
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
