# make run   installs what is missing, builds, and starts a solo game
# make test  installs what is missing, builds, and runs every test
BUILD      ?= build
BUILD_TYPE ?= Release
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

.PHONY: deps configure build run test install uninstall clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/kalvex

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@if [ -f $(BUILD)/install_manifest.txt ]; then \
	  xargs -r -d '\n' rm -fv < $(BUILD)/install_manifest.txt; \
	else echo "Nothing installed from $(BUILD)"; fi

clean:
	rm -rf $(BUILD)
