BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
WINDOWS_DIR ?= build-windows
JOBS ?= $(shell nproc)

# ccache when present; paths below the repository are hashed relative to it, so clones share hits.
CCACHE := $(shell command -v ccache 2>/dev/null)
LAUNCHER := $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))
CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_BASEDIR

# AddressSanitizer and UndefinedBehaviorSanitizer with the normal build's compiler. UB aborts the test
# instead of printing and going on. -O1 keeps the instrumented build and its tests fast enough for CI.
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
# Leak checking stays on: neither the core nor the offscreen Qt tests leak today. Should Qt or fontconfig
# report their own start-up allocations some day, suppress those libraries in a file passed with
# LSAN_OPTIONS=suppressions=... rather than turning leak checking off for our code too.
# The end-to-end runs under Xvfb are included: instrumented they take about 25 s together.
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=1:strict_init_order=1:check_initialization_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: deps configure build run test bench clean sanitize format-check fuzz package windows windows-test

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The program and its deployment folder only: the test programs take far longer to build.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target Korvane deploy_folder
	cd $(BUILD_DIR) && ./Korvane

# Every test: the Linux tree's, then the Windows tree's under Wine.
test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory windows-test

# The benchmarks: build them alone, then run each (it prints its ratios at the end); the window's start is
# timed beside a bare Qt dialog on a virtual X server.
BENCHES = serverlist_bench create_bench

bench: configure
	@cmake --build $(BUILD_DIR) --target $(BENCHES) Korvane bare_dialog -j $(JOBS)
	cd $(BUILD_DIR) && for b in $(BENCHES); do bench/$$b || exit 1; done
	xvfb-run -a -s "-screen 0 1024x768x24" bench/window_start.sh $(BUILD_DIR)/Korvane $(BUILD_DIR)/bench/bare_dialog

# A .deb of what cmake --install puts in place, with the Debian packages of the linked libraries as its
# dependencies (dpkg-shlibdeps).
package: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target korvane_installed
	cd $(BUILD_DIR) && cpack -G DEB

sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" \
		$(LAUNCHER) >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

# Every tracked C++ file must be exactly what clang-format makes of it with the repository's settings.
format-check: deps
	@git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
	@echo "format-check: every tracked *.cpp and *.h file is formatted"

# libFuzzer targets over the core, built with clang in their own tree (no Qt); each CTest entry fuzzes
# for a few seconds from the seeds in fuzz/corpus/. Longer: make fuzz FUZZ_SECONDS=60
FUZZ_SECONDS ?= 5
fuzz: deps
	@cmake -S . -B $(FUZZ_DIR) -DKORVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKORVANE_FUZZ_SECONDS=$(FUZZ_SECONDS) $(LAUNCHER) >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	cd $(FUZZ_DIR) && ctest --output-on-failure -j $(JOBS)

# Windows: Korvane.exe (Win32 window), korvane-cli.exe and the tests cross-built with mingw-w64 in their
# own tree, packed as dist/Korvane-<version>-win64.zip; windows-test runs the tests under Wine (prefix in
# the tree). The program's icon is rendered by the Linux build's icon renderer, from the same design.
WINDOWS_DLLS := kernel32|user32|gdi32|shell32|advapi32|ole32|comdlg32|comctl32|msvcrt|ucrtbase
windows: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target korvane_icon_renderer
	@cmake -S . -B $(WINDOWS_DIR) --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		-DCMAKE_BUILD_TYPE=Release -DKORVANE_ICON_RENDERER=$(CURDIR)/$(BUILD_DIR)/res/korvane_icon_renderer \
		$(LAUNCHER) >/dev/null
	@cmake --build $(WINDOWS_DIR) -j $(JOBS) --target Korvane korvane-cli windows_package
	@for exe in Korvane.exe korvane-cli.exe; do \
		if x86_64-w64-mingw32-objdump -p $(WINDOWS_DIR)/$$exe | awk '/DLL Name/ { print $$3 }' | \
			grep -viE '^($(WINDOWS_DLLS))\.dll$$'; \
		then echo "$$exe imports the DLLs above, which Windows does not ship"; exit 1; fi; \
	done

windows-test: windows
	@cmake --build $(WINDOWS_DIR) -j $(JOBS)
	cd $(WINDOWS_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(WINDOWS_DIR)
