# SPDX-License-Identifier: GPL-3.0-or-later
# make run  - install what is missing, build, start Halvora
# make test - install what is missing, build, run every test (and the core tests again under ASan/UBSan)
# make package - build the Debian package and check it with lintian
# make fuzz - build the libFuzzer targets with Clang and run each for a minute (FUZZ_SECONDS)
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test deps build bench desktop-figures tables clean package fuzz fuzz-build

deps:
	@bash scripts/install-deps.sh $(EXTRA_PACKAGES)

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DHALVORA_SANITIZE=ON \
	  -DHALVORA_BUILD_UI=OFF -DHALVORA_BUILD_BENCH=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=20

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DHALVORA_FUZZ=ON \
	  -DHALVORA_BUILD_UI=OFF -DHALVORA_BUILD_TESTS=OFF -DHALVORA_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

package: build
	bash scripts/check-package.sh $(BUILD)

bench: build
	$(BUILD)/bench/halvora_bench
	$(BUILD)/bench/halvora_ui_bench
	$(BUILD)/bench/halvora_atlas_memory_bench

# Start-up time and memory of the desktop program beside a bare Qt window, on a virtual X screen.
desktop-figures: EXTRA_PACKAGES = xdotool
desktop-figures: build
	bash scripts/measure-desktop.sh $(BUILD)

# Regenerates the retrograde station tables with Swiss Ephemeris (needs swetest).
tables:
	@bash scripts/install-deps.sh swetest swe-standard-data python3
	python3 tools/gen_station_tables.py --output src/planets/station_tables.cpp

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
