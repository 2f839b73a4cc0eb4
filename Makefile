# make run   installs what is missing, builds and starts the game in data/
# make measure  start-up time, memory and CPU against a bare Qt window (scripts/measure)
# make test  installs what is missing, builds, checks the sources' layout
#            (.clang-format), runs every test, then the engine
#            tests again under AddressSanitizer and UndefinedBehaviorSanitizer, with
#            the fuzz targets' committed inputs replayed there; between the two,
#            scripts/nat-lab plays rounds through glamora-lobby across routers
#            in network namespaces (as root)
# make bench-lobby  glamora-lobby's figures on loopback (bench/lobby_figures.cpp)
# make fuzz  installs clang and runs each fuzz target for FUZZ_SECONDS (300) seconds
# make install [PREFIX=/usr/local]  builds and installs the game (DESTDIR works)
# make package  builds the Debian package build-deb/glamora_1.0_amd64.deb
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
DEB_BUILD ?= build-deb
FUZZ_SECONDS ?= 300
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

.PHONY: run test build install package deps deps-test deps-package fuzz bench bench-lobby measure screenshots clean

run: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS) --target glamora
	cd data && ../$(BUILD)/glamora

build:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

test: deps-test build
	scripts/check-format
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	scripts/nat-lab $(BUILD)
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGLAMORA_ENGINE_ONLY=ON -DGLAMORA_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# The prefix is compiled into the game (it finds its data files there).
install: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS) --target glamora-installed glamora-sim glamora-lobby compressed_docs icons
	cmake --install $(BUILD)

package: deps-package
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
	  -DGLAMORA_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	  -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now"
	cmake --build $(DEB_BUILD) -j $(JOBS) --target glamora-installed glamora-sim glamora-lobby compressed_docs icons
	cd $(DEB_BUILD) && cpack
	lintian --fail-on error $(DEB_BUILD)/glamora_1.0_amd64.deb

fuzz:
	scripts/install-deps --fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLAMORA_FUZZ=ON -DGLAMORA_BENCH=OFF \
	  -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz $(FUZZ_BUILD)

bench: deps build
	$(BUILD)/bench/glamora_bench
	$(BUILD)/bench/glamora_net_bench
	$(BUILD)/bench/glamora_screen_bench
	$(BUILD)/bench/glamora_records_bench

# glamora-lobby's figures: memory per room, introduction p50/p99, relaying's CPU
bench-lobby: deps build
	$(BUILD)/bench/glamora_lobby_figures
	$(BUILD)/bench/glamora_lobby_bench

measure:
	scripts/install-deps --measure
	scripts/measure

screenshots: deps-test build
	scripts/screenshots shots

deps:
	scripts/install-deps

deps-test:
	scripts/install-deps --test

deps-package:
	scripts/install-deps --package

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(DEB_BUILD)

# make soak  plays SOAK_ROUNDS random battle and training rounds (computer
#            players of every level, random keys, stages, editor texts,
#            switches, leaving to the title) in the sanitizer build, checking
#            the game's invariants after every tick; one part per core
SOAK_ROUNDS ?= 10000
.PHONY: soak
soak: deps-test
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGLAMORA_ENGINE_ONLY=ON -DGLAMORA_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target glamora-soak
	cd $(ASAN_BUILD) && status=0; seq 0 $$(($(JOBS) - 1)) | \
	  xargs -P $(JOBS) -I{} ./glamora-soak --rounds $(SOAK_ROUNDS) --part {}/$(JOBS) > soak.out || status=$$?; \
	  cat soak.out; exit $$status
	@awk -F'[:,]' '{ r += $$2; t += $$4 } END { printf "soak: %d rounds, %d ticks (%.1f simulated hours), all checks held\n", r, t, t / 36000 }' \
	  $(ASAN_BUILD)/soak.out

# make net-soak  the network battle's long runs over the simulated link (1000
#                rounds at 80 ± 20 ms and 2% loss, 100 rounds at 250 ± 100 ms and
#                10% loss in bursts of 5), checked against their figures
.PHONY: net-soak
net-soak: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS) --target glamora-sim
	scripts/net-soak $(BUILD)
