# GearLog: one-command set-up, build, run and test on a Debian machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
PACKAGES := cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-psql postgresql \
            libgl-dev fonts-liberation fontconfig python3-jsonschema \
            dpkg-dev file lintian appstream
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DGEARLOG_WERROR=ON
endif
# make test SANITIZE=1: AddressSanitizer and UndefinedBehaviorSanitizer, in a build folder of their own.
ifeq ($(SANITIZE),1)
BUILD_DIR := build-sanitize
CMAKE_FLAGS += -DGEARLOG_SANITIZE=ON
endif

.PHONY: all deps configure build run test bench crashtest fuzz install package screenshots clean
PREFIX ?= /usr/local

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/gearlog

# The size of the tests against the code is printed whatever ctest says, and never fails the run.
test: build
	@status=0; cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) || status=$$?; \
	bash $(CURDIR)/tests/ratio.sh || true; exit $$status

# Installs under PREFIX (DESTDIR honoured, as usual).
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package of a release build, in build-release (the program in it is stripped).
package:
	@$(MAKE) --no-print-directory build BUILD_DIR=build-release BUILD_TYPE=Release
	cd build-release && cpack -G DEB

# The README's pictures in docs/, drawn offscreen from the real windows on a fresh sample database.
screenshots: build
	$(BUILD_DIR)/bin/gearlog_screenshots docs

# The crash test at full length: 200 kills in the middle of writes.
crashtest: build
	cd $(BUILD_DIR) && GEARLOG_CRASH_ROUNDS=200 ctest --output-on-failure -R TestCrashSafety

# Runs the parser fuzzer for FUZZ_SECONDS; new inputs it finds land in build-fuzz/corpus.
FUZZ_SECONDS ?= 60
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) clang libclang-rt-14-dev"
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGEARLOG_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target gearlog_fuzz_parsers
	mkdir -p build-fuzz/corpus
	build-fuzz/bin/gearlog_fuzz_parsers -max_total_time=$(FUZZ_SECONDS) build-fuzz/corpus fuzz/corpus/parsers

# Timings in a release build of its own; the databases are kept in build-release/bench-data.
bench:
	@$(MAKE) --no-print-directory build BUILD_DIR=build-release BUILD_TYPE=Release
	build-release/bin/gearlog_bench

clean:
	rm -rf $(BUILD_DIR)
