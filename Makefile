# Front door: `make run` sets up, builds and starts the game; `make test` sets up, builds and
# runs the whole suite headless. Both install the Debian packages that are missing first.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
WERROR := $(if $(CI),ON,OFF)

PACKAGES := cmake ninja-build g++ pkg-config make \
	qt6-base-dev qt6-qpa-plugins qt6-wayland libsdl2-dev libfluidsynth-dev timgm6mb-soundfont libgif-dev libjpeg-dev \
	libgtest-dev libbenchmark-dev \
	xvfb xdotool x11-utils imagemagick fonts-liberation fonts-dejavu-core \
	openbox pulseaudio pulseaudio-utils libpulse-dev libasound2-dev weston x11-xserver-utils ccache \
	clang libclang-rt-14-dev appstream dpkg-dev file locales gcovr python3
# Tools of the tests and measurements, installed without what they recommend: FluidSynth's own
# player would bring a 148 MB soundfont that then becomes the system's default, and PipeWire its
# ALSA routing.
TOOLS := fluidsynth pipewire pipewire-pulse wireplumber dbus-daemon

# Builds share compiled files through ccache, also across checkouts of the project.
export CCACHE_BASEDIR := $(CURDIR)
LAUNCHER = $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench assets format clean package test-sanitize test-tsan fuzz \
	coverage

all: build

missing = $(shell for p in $(1); do \
	dpkg-query -W -f='$${Status}' "$$p" 2>/dev/null | grep -q "install ok installed" || echo "$$p"; done)

deps:
	@packages="$(strip $(call missing,$(PACKAGES)))"; tools="$(strip $(call missing,$(TOOLS)))"; \
	if [ -n "$$packages$$tools" ]; then \
		echo "Installing: $$packages $$tools"; \
		$(SUDO) apt-get update -qq && \
		{ [ -z "$$packages" ] || DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$packages; } && \
		{ [ -z "$$tools" ] || DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq \
			--no-install-recommends $$tools; }; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVELMORA_WERROR=$(WERROR) \
		$(LAUNCHER)

build: configure
	cmake --build $(BUILD_DIR)

run: build
	cd $(BUILD_DIR) && ./velmora

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600

# The Debian package (velmora_<version>_<arch>.deb in the build folder), then the test that
# unpacks it and starts the game from it.
package: build
	cd $(BUILD_DIR) && cpack -G DEB
	bash tests/e2e/package_test.sh $$(ls $(BUILD_DIR)/velmora_*.deb)

# The test suites built with AddressSanitizer and UndefinedBehaviorSanitizer in a folder of their
# own; any report (a leak, or a single allocation over 1 GB, included) fails the run. The
# end-to-end scripts run in `make test` only.
SANITIZE_DIR ?= build-sanitize
SANITIZE_TESTS := velmora-tests velmora-music-tests velmora-asset-tests
test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DVELMORA_WERROR=$(WERROR) -DVELMORA_SANITIZE=ON $(LAUNCHER)
	cmake --build $(SANITIZE_DIR) --target $(SANITIZE_TESTS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:max_allocation_size_mb=1024 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure --timeout 1800 -j2 \
		-E '^e2e\.|_NOT_BUILT'

# The music tests built with ThreadSanitizer in a folder of their own: the music device's output
# thread against the commands; any report fails the run. FluidSynth's OpenMP worker threads
# synchronise in ways the sanitizer cannot see, so the tests run it with one thread.
TSAN_DIR ?= build-tsan
test-tsan: deps
	cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DVELMORA_WERROR=$(WERROR) -DVELMORA_TSAN=ON $(LAUNCHER)
	cmake --build $(TSAN_DIR) --target velmora-music-tests
	cd $(TSAN_DIR) && QT_QPA_PLATFORM=offscreen OMP_NUM_THREADS=1 \
		TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
		./tests/velmora-music-tests

# libFuzzer targets built with clang: each runs FUZZ_SECONDS from its committed seeds; a crash,
# an input over 1 s or over 512 MB fails.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S fuzz -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=$(WERROR)
	cmake --build $(FUZZ_DIR)
	bash fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Line coverage of the game's code (the asset generator, tests, benchmarks and fuzzers left out)
# by the headless suites, in a folder of its own: a summary, and coverage.html in that folder.
COVERAGE_DIR ?= build-coverage
coverage: deps
	cmake -S . -B $(COVERAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_WERROR=$(WERROR) \
		-DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage
	cmake --build $(COVERAGE_DIR)
	find $(COVERAGE_DIR) -name '*.gcda' -delete
	cd $(COVERAGE_DIR) && QT_QPA_PLATFORM=offscreen ctest --timeout 1800 -j2 -E '^e2e\.'
	gcovr --root . --object-directory $(COVERAGE_DIR) \
		--filter '(app|battle|core|map|menu|platform|title)/' \
		--print-summary --html-details $(COVERAGE_DIR)/coverage.html

bench: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ./bench/velmora-bench

assets: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/velmora-assetgen assets docs

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
