BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test bench clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR) && ./Korvane

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The benchmarks need only the core: build them alone, then run each (it prints its ratios at the end).
BENCHES = serverlist_bench create_bench

bench: configure
	@cmake --build $(BUILD_DIR) --target $(BENCHES) -j $(JOBS)
	cd $(BUILD_DIR) && for b in $(BENCHES); do bench/$$b || exit 1; done

clean:
	rm -rf $(BUILD_DIR)
