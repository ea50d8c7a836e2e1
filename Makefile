# Front door: `make run` sets up, builds and starts the game; `make test` sets up, builds and
# runs the whole suite headless. Both install the Debian packages that are missing first.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
WERROR := $(if $(CI),ON,OFF)

PACKAGES := cmake ninja-build g++ pkg-config make \
	qt6-base-dev qt6-qpa-plugins libfluidsynth-dev timgm6mb-soundfont libgif-dev libjpeg-dev \
	libgtest-dev libbenchmark-dev \
	xvfb xdotool x11-utils imagemagick fonts-liberation fonts-dejavu-core \
	openbox pulseaudio pulseaudio-utils \
	clang libclang-rt-14-dev appstream dpkg-dev file locales

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench assets format clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}' "$$p" 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing:$$missing"; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVELMORA_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD_DIR)

run: build
	cd $(BUILD_DIR) && ./velmora

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600

bench: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ./bench/velmora-bench

assets: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/velmora-assetgen assets docs

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
