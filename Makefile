# make run   installs what is missing, builds and starts the game in data/
# make test  installs what is missing, builds, runs every test, then the engine
#            tests again under AddressSanitizer and UndefinedBehaviorSanitizer, with
#            the fuzz targets' committed inputs replayed there
# make fuzz  installs clang and runs each fuzz target for FUZZ_SECONDS (300) seconds
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
JOBS ?= $(shell nproc)

.PHONY: run test build deps deps-test fuzz bench screenshots clean

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

fuzz:
	scripts/install-deps --fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLAMORA_FUZZ=ON -DGLAMORA_BENCH=OFF \
	  -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz $(FUZZ_BUILD)

bench: deps build
	$(BUILD)/bench/glamora_bench

screenshots: deps-test build
	scripts/screenshots shots

deps:
	scripts/install-deps

deps-test:
	scripts/install-deps --test

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
