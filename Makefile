# make run   installs what is missing, builds and starts the game in data/
# make test  installs what is missing, builds, runs every test, then the engine
#            tests again under AddressSanitizer and UndefinedBehaviorSanitizer
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: run test build deps deps-test bench screenshots clean

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

screenshots: deps-test build
	scripts/screenshots shots

deps:
	scripts/install-deps

deps-test:
	scripts/install-deps --test

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

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
