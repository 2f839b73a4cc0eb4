# make run   installs what is missing, builds and starts the game in data/
# make measure  start-up time, memory and CPU against a bare Qt window (scripts/measure)
# make test  installs what is missing, builds, runs every test, then the engine
#            tests again under AddressSanitizer and UndefinedBehaviorSanitizer
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: run test build deps deps-test bench measure screenshots clean

run: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS) --target glamora
	cd data && ../$(BUILD)/glamora

build:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

test: deps-test build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGLAMORA_ENGINE_ONLY=ON -DGLAMORA_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps build
	$(BUILD)/bench/glamora_bench

measure:
	scripts/install-deps --measure
	scripts/measure

screenshots: deps-test build
	scripts/screenshots shots

deps:
	scripts/install-deps

deps-test:
	scripts/install-deps --test

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
