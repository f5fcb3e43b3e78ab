# Entry points. `make run` formats the bundled examples, `make test` runs
# every test: native, the native ones again under the sanitizers, and the
# Windows build under Wine (the 32-bit Windows build is only built and
# linked). Both install what they need first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60

.PHONY: all bootstrap bootstrap-windows native sanitize win64 win32 run test bench dist clean

all: native

bootstrap:
	@scripts/bootstrap native

bootstrap-windows:
	@scripts/bootstrap windows

native: bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# AddressSanitizer and UndefinedBehaviorSanitizer: a finding fails the test.
sanitize: bootstrap
	@cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" \
	  -DTABWRIGHT_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-asan -j $(JOBS)

run: native
	@scripts/run-examples $(BUILD)/src/cli/tabwright-format

win64 win32: bootstrap bootstrap-windows
	@cmake -S . -B $(BUILD)-$@ -DCMAKE_BUILD_TYPE=Release \
	  --toolchain cmake/toolchains/mingw-$(if $(filter win64,$@),x86_64,i686).cmake $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-$@ -j $(JOBS)

test: native sanitize win64 win32
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@cd $(BUILD)-asan && ctest --output-on-failure -j $(JOBS) -LE 'stress|integration'
	@scripts/wine-session ctest --test-dir $(BUILD)-win64 --output-on-failure -j $(JOBS)
	@ctest --test-dir $(BUILD)-win32 --output-on-failure -j $(JOBS) -L imports
	@FUZZ_BUILD=$(BUILD)-fuzz scripts/fuzz $(FUZZ_SECONDS)

bench: bootstrap
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTABWRIGHT_BENCH=ON -DTABWRIGHT_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS) --target formatter_bench
	@$(BUILD)-bench/bench/formatter_bench

# A zip for users: both Windows builds of Tabwright.exe and tabwright-format.exe.
dist: win64 win32
	@scripts/make-dist $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-bench $(BUILD)-win64 $(BUILD)-win32 $(BUILD)-fuzz $(BUILD)-dist
