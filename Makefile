# The two commands of the README, the Windows build, the packages and the
# pictures of the docs. BUILD selects the build folder, BUILD_WINDOWS the
# Windows build's, BUILD_PACKAGE the packaged release's.
BUILD ?= build
BUILD_WINDOWS ?= build-windows
BUILD_PACKAGE ?= build-package
BUILD_PACKAGE_WINDOWS ?= build-package-windows
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS ?= 2
# A native build that gives the Windows build its build tools and the Linux
# tavrion-wav it is compared with; any configured build folder will do.
HOST_TOOLS ?= $(BUILD_WINDOWS)/host-tools
HOST_TARGETS = resembed formconv pulseicon drawcursors versioninfo tavrion-wav

.PHONY: test run build deps pictures windows package

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

test: build
	ctest --test-dir $(BUILD) -j$(JOBS) --output-on-failure

# Opens the window in the current folder, where it writes tavrion.wav at once.
# Without a display the program says so and ends with status 1; then the
# command-line generator writes the default working file instead.
run: build
	@status=0; $(BUILD)/app/tavrion/tavrion || status=$$?; \
	if [ $$status -eq 1 ]; then \
	  $(BUILD)/app/tavrion-wav/tavrion-wav && \
	  echo "No display for the window: wrote the default working file tavrion.wav with tavrion-wav instead."; \
	else \
	  exit $$status; \
	fi

# Draws the docs' pictures on the headless host into docs/.
pictures: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS) --target pictures
	$(BUILD)/tools/pictures/pictures docs

# Cross-builds the programs and the test programs for Windows (mingw-w64);
# `ctest --test-dir $(BUILD_WINDOWS)` runs the tests under Wine.
windows: deps
	test -f $(HOST_TOOLS)/CMakeCache.txt || \
	  cmake -S . -B $(HOST_TOOLS) $(CMAKE_FLAGS) -DTAVRION_TESTS=OFF -DTAVRION_BENCH=OFF
	cmake --build $(HOST_TOOLS) -j$(JOBS) --target $(HOST_TARGETS)
	cmake -S . -B $(BUILD_WINDOWS) $(CMAKE_FLAGS) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DTAVRION_HOST_TOOLS=$(abspath $(HOST_TOOLS)) -DTAVRION_BENCH=OFF
	cmake --build $(BUILD_WINDOWS) -j$(JOBS)

# dist/: the Debian package and the Windows zip of release builds of the
# programs; the Linux release build gives the Windows one its build tools.
package: deps
	cmake -S . -B $(BUILD_PACKAGE) -DCMAKE_BUILD_TYPE=Release -DTAVRION_TESTS=OFF -DTAVRION_BENCH=OFF
	cmake --build $(BUILD_PACKAGE) -j$(JOBS)
	cd $(BUILD_PACKAGE) && cpack -B $(CURDIR)/$(BUILD_PACKAGE)/packages
	cmake -S . -B $(BUILD_PACKAGE_WINDOWS) -DCMAKE_BUILD_TYPE=Release -DTAVRION_TESTS=OFF \
	  -DTAVRION_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DTAVRION_HOST_TOOLS=$(abspath $(BUILD_PACKAGE))
	cmake --build $(BUILD_PACKAGE_WINDOWS) -j$(JOBS)
	cd $(BUILD_PACKAGE_WINDOWS) && cpack -B $(CURDIR)/$(BUILD_PACKAGE_WINDOWS)/packages
	mkdir -p dist
	cp $(BUILD_PACKAGE)/packages/*.deb $(BUILD_PACKAGE_WINDOWS)/packages/*.zip dist/
	@echo "Wrote $$(ls dist/*.deb dist/*.zip)"
