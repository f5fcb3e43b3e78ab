# Entry points. `make run` formats the bundled examples, `make test` runs
# every test: native, the native ones again under the sanitizers, the Debian
# package, and the Windows builds under Wine with the setup programs that
# `make dist` ships. Each installs what it needs first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
DIST = $(BUILD)-dist
# '.' for the parenthesis after project, which make would count as its own.
VERSION := $(shell sed -n 's/^project.Tabwright VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DEB = $(DIST)/tabwright-format_$(VERSION)_$(shell dpkg --print-architecture).deb

.PHONY: all bootstrap bootstrap-windows native sanitize win64 win32 run test bench deb dist clean

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

# The Windows trees' tests install the setup programs from $(DIST).
win64 win32: bootstrap bootstrap-windows
	@cmake -S . -B $(BUILD)-$@ -DCMAKE_BUILD_TYPE=Release -DTABWRIGHT_DIST_DIR=$(CURDIR)/$(DIST) \
	  --toolchain cmake/toolchains/mingw-$(if $(filter win64,$@),x86_64,i686).cmake $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-$@ -j $(JOBS)

# The 32-bit programs run only where the kernel runs 32-bit code
# (scripts/runs-x86-32); elsewhere they are built and linked.
test: native sanitize dist
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@cd $(BUILD)-asan && ctest --output-on-failure -j $(JOBS) -LE integration
	@cd $(DIST) && sha256sum --quiet --strict -c SHA256SUMS && echo "dist: SHA256SUMS matches the shipped files"
	@tests/deb/deb.sh $(DEB) $(BUILD)/src/cli/tabwright-format
	@scripts/wine-session ctest --test-dir $(BUILD)-win64 --output-on-failure -j $(JOBS)
	@ctest --test-dir $(BUILD)-win32 --output-on-failure -j $(JOBS) -L imports
	@if scripts/runs-x86-32; then WINEARCH=win32 scripts/wine-session ctest --test-dir $(BUILD)-win32 --output-on-failure -L x86; \
	else echo "x86: not run: this machine's kernel runs no 32-bit x86 programs, so Wine cannot run the x86 setup or the 32-bit Tabwright.exe"; fi
	@FUZZ_BUILD=$(BUILD)-fuzz scripts/fuzz $(FUZZ_SECONDS)

bench: bootstrap
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTABWRIGHT_BENCH=ON -DTABWRIGHT_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS) --target formatter_bench
	@$(BUILD)-bench/bench/formatter_bench

# tabwright-format as a Debian package, in $(DIST).
deb: native
	@scripts/make-deb $(BUILD)

# For users, in $(DIST): the Windows zip, the two setup programs, the Debian
# package and SHA256SUMS.
dist: native win64 win32
	@scripts/make-dist $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-bench $(BUILD)-win64 $(BUILD)-win32 $(BUILD)-fuzz $(DIST)
