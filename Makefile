# The two commands people need: `make demo` plays the sample card, `make test` runs every test.
# Each installs what it needs first. Builds live under build/ (one folder per target).
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE   := cmake -G "Unix Makefiles" -Wno-dev
NATIVE  := $(BUILD)/native
WIN64   := $(BUILD)/win64
WIN32   := $(BUILD)/win32
FUZZ    := $(BUILD)/fuzz
BENCH   := $(BUILD)/bench

.PHONY: all deps native win64 win32 fuzz-build test demo fuzz bench clean

all: native win64 win32

deps:
	@tools/install-deps

$(NATIVE)/Makefile: | deps
	$(CMAKE) -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DCARD_SANITIZE=ON
# The x86_64 build only has to compile: it keeps the code honest about pointer sizes.
$(WIN64)/Makefile: | deps
	$(CMAKE) -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
# The i686 release build is what a person sends, so it is what the Windows tests run; its
# end-to-end tests drive card.exe with the native build's cardkit and sample card.
$(WIN32)/Makefile: | deps
	$(CMAKE) -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DCARD_NATIVE_BUILD=$(abspath $(NATIVE))
$(FUZZ)/Makefile: | deps
	$(CMAKE) -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=Debug -DCARD_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

native: $(NATIVE)/Makefile
	$(MAKE) -C $(NATIVE) -j$(JOBS) --no-print-directory
win64: $(WIN64)/Makefile
	$(MAKE) -C $(WIN64) -j$(JOBS) --no-print-directory card
win32: $(WIN32)/Makefile native
	$(MAKE) -C $(WIN32) -j$(JOBS) --no-print-directory
fuzz-build: $(FUZZ)/Makefile
	$(MAKE) -C $(FUZZ) -j$(JOBS) --no-print-directory

# Native tests (with sanitizers), a short fuzzing pass, then the Windows tests of the i686
# release build under 32-bit Wine.
test: native win64 win32 fuzz-build
	cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)
	cd $(FUZZ) && ctest --output-on-failure -j$(JOBS)
	cd $(WIN32) && ctest --output-on-failure

# Longer fuzzing, a few minutes per harness.
fuzz: fuzz-build
	tools/run-fuzzers $(FUZZ) 180

# Speed of start-up and of a tick in an optimised build, then card.exe under Wine as a person
# feels it (start-up time and CPU while playing), each beside a floor program, then the web
# card in headless Chromium (first frame, late ticks, file size).
$(BENCH)/Makefile: | deps
	$(CMAKE) -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DCARD_BENCH=ON
bench: $(BENCH)/Makefile native win32
	$(MAKE) -C $(BENCH) -j$(JOBS) --no-print-directory card_bench
	$(BENCH)/bench/card_bench
	bench/feel-under-wine $(NATIVE) $(WIN32)
	/usr/bin/python3 tests/web/web_bench.py $(NATIVE)/web/sample-card.html

# The release package (i686) for a person to send, played under Wine from an empty folder, at
# the display scale SCALE (a percentage; e.g. make demo SCALE=200).
SCALE ?= 100
demo: native win32
	tools/play-demo $(NATIVE) $(WIN32) $(SCALE)

clean:
	rm -rf $(BUILD)
