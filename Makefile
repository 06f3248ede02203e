# The two commands of the README, and the pictures of the docs. BUILD selects
# the build folder.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS ?= 2

.PHONY: test run build deps pictures

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
