# Top-level driver: installs what is missing, configures, builds and runs.
BUILD      := build
ASAN_BUILD := build-asan
JOBS       ?= $(shell nproc)
# ccache, where installed, keeps rebuilds of unchanged sources cheap.
LAUNCHER   := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

DEBIAN_PACKAGES := cmake g++ make libgtest-dev libpng-dev zlib1g-dev libfltk1.3-dev libx11-dev xvfb xauth xdotool x11-apps
# Source of the stroke font tables (tools/make_stroke_fonts.py; the fonts test checks them).
DEBIAN_PACKAGES += hershey-fonts-data
DEBIAN_PACKAGES += ghostscript
# The screen's hardware font (HWFONT): FreeType over Nimbus Roman.
DEBIAN_PACKAGES += libfreetype-dev fonts-urw-base35
# An independent HPGL reader for the HPGL script tests.
DEBIAN_PACKAGES += hp2xx
# An independent TIFF reader (tiffinfo) for the image script tests.
DEBIAN_PACKAGES += libtiff-tools
# The manual: python3 runs its tools (reference check, examples, index),
# pandoc makes the HTML pages and man pages, man-db checks the man pages.
DEBIAN_PACKAGES += python3 pandoc man-db
# The prompt's line editor (libedit), and tmux to drive the prompt in its tests.
DEBIAN_PACKAGES += libedit-dev tmux
# The PDF, SVG and PNG formats (cairo), and their independent readers in the tests.
DEBIAN_PACKAGES += libcairo2-dev pkg-config poppler-utils librsvg2-bin
# Reference map projections (proj, cs2cs) for the projection tests.
DEBIAN_PACKAGES += proj-bin

.PHONY: all run test deps build asan clean

all: build

deps:
	@missing=""; \
	for p in $(DEBIAN_PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    (apt-get update -qq || true) && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Please install:$$missing"; exit 1; \
	  fi; \
	fi

build: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)
	cmake --build $(BUILD) -j $(JOBS)

asan: deps
	@[ -f $(ASAN_BUILD)/CMakeCache.txt ] || cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKORVAN_SANITIZE=ON $(LAUNCHER)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@if command -v pandoc >/dev/null; then cmake --build $(BUILD) --target docs; \
	  echo "The manual is in $(CURDIR)/$(BUILD)/hlp/index.html, the man pages in $(CURDIR)/$(BUILD)/man."; fi
	cd examples && KORVAN_DISPLAY=$${KORVAN_DISPLAY:-none} ../$(BUILD)/bin/kflrun hello.kfl
	@echo "Pictures of screen plots drawn without a display are in $(CURDIR)/examples (korvan_win<n>.png)."

test: build asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
