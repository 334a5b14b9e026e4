# make run    installs what is missing, builds, and starts a solo game
# make test   installs what is missing, runs the plain C++ libraries' tests
#             under AddressSanitizer and UndefinedBehaviorSanitizer, every
#             fuzz target briefly, then builds and runs every test
# make fuzz   runs every fuzz target for FUZZ_SECONDS (default 5 minutes)
# make bench  builds the benchmarks and prints their figures
# make soak   the hosting window plays SOAK_GAMES games against nine computer players
BUILD      ?= build
BUILD_TYPE ?= Release
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

# Side builds of the plain C++ libraries (no Qt): one under the sanitizers
# (gcc), one with the libFuzzer targets (clang).
SANITIZE_BUILD ?= $(BUILD)-sanitize
FUZZ_BUILD     ?= $(BUILD)-fuzz
FUZZ_CXX       ?= clang++-14
FUZZ_SECONDS   ?= 300
# Seconds per fuzz target within `make test`.
FUZZ_SMOKE_SECONDS ?= 5
SOAK_GAMES ?= 20
# The Debian package's own Release build: installed under /usr, compiled
# with Debian's hardening flags (no -g: the packed programs are stripped),
# and only the programs and manual pages are built for it.
DEB_BUILD  ?= $(BUILD)-deb
DEB_FLAGS   = DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
SANITIZE_ENV   = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1 \
                 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

.PHONY: deps configure build run test unit-test sanitize fuzz-build fuzz fuzz-smoke bench soak \
        install uninstall deb clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/kalvex

test: sanitize fuzz-smoke unit-test

unit-test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(SANITIZE_BUILD)/build.ninja: | deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_COMPILER=g++ \
	  -DKALVEX_CORE_ONLY=ON -DKALVEX_BENCHMARKS=OFF "-DCMAKE_CXX_FLAGS=-O1 $(SANITIZE_FLAGS)"

sanitize: deps $(SANITIZE_BUILD)/build.ninja
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

$(FUZZ_BUILD)/build.ninja: | deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) \
	  -DKALVEX_CORE_ONLY=ON -DKALVEX_FUZZERS=ON -DKALVEX_BENCHMARKS=OFF

fuzz-build: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(patsubst fuzz/%/,fuzz_%,$(wildcard fuzz/*/))

fuzz-smoke: fuzz-build
	JOBS=$(JOBS) bash scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS)

fuzz: fuzz-build
	JOBS=$(JOBS) bash scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	bash scripts/run-benchmarks.sh $(BUILD)

soak: build
	$(BUILD)/tools/kalvex-bot/kalvex-soak --games $(SOAK_GAMES) --bots 9 --think-ms 300

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@if [ -f $(BUILD)/install_manifest.txt ]; then \
	  xargs -r -d '\n' rm -fv < $(BUILD)/install_manifest.txt; \
	else echo "Nothing installed from $(BUILD)"; fi

$(DEB_BUILD)/build.ninja: | deps
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DKALVEX_BENCHMARKS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	  "-DCMAKE_CXX_FLAGS=$$($(DEB_FLAGS) dpkg-buildflags --get CXXFLAGS) $$($(DEB_FLAGS) dpkg-buildflags --get CPPFLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$$($(DEB_FLAGS) dpkg-buildflags --get LDFLAGS)"

deb: deps $(DEB_BUILD)/build.ninja
	cmake --build $(DEB_BUILD) -j $(JOBS) --target kalvex_package_contents
	rm -f $(DEB_BUILD)/kalvex_*.deb
	cd $(DEB_BUILD) && cpack -G DEB
	@ls $(DEB_BUILD)/kalvex_*.deb

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(DEB_BUILD)
