# Entry points. `make run` formats the bundled examples, `make test` runs
# every test. Both install what they need first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all bootstrap native run test bench clean

all: native

bootstrap:
	@scripts/bootstrap native

native: bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: native
	@scripts/run-examples $(BUILD)/src/cli/tabwright-format

test: native
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: bootstrap
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTABWRIGHT_BENCH=ON -DTABWRIGHT_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS) --target formatter_bench
	@$(BUILD)-bench/bench/formatter_bench

clean:
	rm -rf $(BUILD) $(BUILD)-bench
