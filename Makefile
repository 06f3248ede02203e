# The two commands of the README, and the pictures of the docs. BUILD selects
# the build folder.
BUILD ?= build
BUILD_PACKAGE ?= build-package
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS ?= 2

.PHONY: test run build deps pictures package

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

# dist/: the Debian package of a release build of the programs.
package: deps
	cmake -S . -B $(BUILD_PACKAGE) -DCMAKE_BUILD_TYPE=Release -DTAVRION_TESTS=OFF -DTAVRION_BENCH=OFF
	cmake --build $(BUILD_PACKAGE) -j$(JOBS)
	cd $(BUILD_PACKAGE) && cpack -B $(CURDIR)/$(BUILD_PACKAGE)/packages
	mkdir -p dist && cp $(BUILD_PACKAGE)/packages/*.deb dist/
	@echo "Wrote $$(ls dist/*.deb)"
