# The two commands of the README. BUILD selects the build folder.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS ?= 2

.PHONY: test run build deps

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

test: build
	ctest --test-dir $(BUILD) -j$(JOBS) --output-on-failure

# Until the window exists, running the program writes the default working
# file with the command-line generator.
run: build
	$(BUILD)/app/tavrion-wav/tavrion-wav
	@echo "Wrote the default working file tavrion.wav with tavrion-wav (the window arrives later)."
