# make run    installs what is missing, builds, and starts a solo game
# make test   installs what is missing, builds the whole program under
#             AddressSanitizer and UndefinedBehaviorSanitizer and runs there
#             the unit tests, the widget tests and the quick socket and server
#             process tests, runs every fuzz target briefly, then builds and
#             runs every test
# make fuzz   runs every fuzz target for FUZZ_SECONDS (default 5 minutes)
# make bench  builds the benchmarks and prints their figures
# make soak   the hosting window plays SOAK_GAMES games against nine computer players
BUILD      ?= build
BUILD_TYPE ?= Release
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

# Side builds: the whole program under the sanitizers (gcc, -O1, line tables
# only, no benchmarks), and the plain C++ libraries with the libFuzzer targets
# (clang).
SANITIZE_BUILD ?= $(BUILD)-asan
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
# Every report, also of the programs that tests start, lands in
# SANITIZE_LOGS; any report there fails the run.
SANITIZE_LOGS  = $(abspath $(SANITIZE_BUILD))/sanitizer-reports
SANITIZE_ENV   = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1:log_path=$(SANITIZE_LOGS)/asan \
                 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:log_path=$(SANITIZE_LOGS)/ubsan
# What the sanitizer build builds and runs: the programs, every unit and
# widget test, and the process tests of the socket endpoint and of the server
# hosted by the real program (quick, and where the endpoints' and the server's
# object lifetimes run). The slow process tests (whole games, the lobby, the
# desktop) run in the main build only.
SANITIZE_PROGRAMS = kalvex kalvex-bot kalvex-lobby kalvex-tld
SANITIZE_TESTS    = app_unit_tests unit_bot chat_unit_tests client_unit_tests lobby_unit_tests \
                    net_unit_tests server_unit_tests settings_unit_tests sound_unit_tests \
                    tally_unit_tests windows_unit_tests app_widget_tests chat_widget_tests \
                    client_widget_tests lobby_widget_tests net_socket_tests sound_widget_tests \
                    tally_widget_tests windows_widget_tests server_process_tests room_process_tests

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
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
	  -DCMAKE_CXX_COMPILER=g++ \
	  -DKALVEX_BENCHMARKS=OFF "-DCMAKE_CXX_FLAGS=-O1 $(SANITIZE_FLAGS)"

sanitize: deps $(SANITIZE_BUILD)/build.ninja
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target $(SANITIZE_PROGRAMS) $(SANITIZE_TESTS)
	rm -rf $(SANITIZE_LOGS) && mkdir -p $(SANITIZE_LOGS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS) \
	  -R '^($(subst $(eval) ,|,$(strip $(SANITIZE_TESTS))))$$'; status=$$?; \
	  for report in $(SANITIZE_LOGS)/*; do [ -e "$$report" ] && cat "$$report" && status=1; done; \
	  exit $$status

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
