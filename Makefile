# The two commands a newcomer needs: `make run` and `make test`.
# Both install what is missing (Debian 12), configure and build first.

# Compiled objects are cached outside the tree (ccache, ~/.cache/ccache) when it
# is there: the five builds of a CI run then compile only what changed. Paths
# are hashed relative to the tree, so that another clone finds them too.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
LAUNCHER = $$(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
	-DCMAKE_C_COMPILER_LAUNCHER=ccache)

BUILD      ?= build
ASAN_BUILD ?= build-asan
CMAKE_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test test-sanitize fuzz deps build bench screenshots package format format-check clean \
	windows test-windows bench-windows

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS) $(LAUNCHER)
	cmake --build $(BUILD)

run: build
	@scripts/run.sh $(BUILD)/ui/Orvanto

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANTO_SANITIZE=ON $(LAUNCHER)
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -LE kill

# The fuzz targets (clang, libFuzzer), FUZZ_SECONDS each on the committed corpus.
FUZZ_SECONDS ?= 20
fuzz: deps
	scripts/fuzz.sh $(FUZZ_SECONDS)

# Figures for the horse list on large files, the race sheet and the horses'
# history (Release build).
bench: deps
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTO_BUILD_TESTS=OFF \
		$(LAUNCHER)
	cmake --build build-release --target bench_list bench_sheet bench_history bench_imports
	build-release/bench/bench_list
	build-release/bench/bench_sheet
	build-release/bench/bench_history
	build-release/bench/bench_imports

# A Debian package (CPack); its path is the last line printed.
package: deps
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTO_BUILD_TESTS=OFF \
		$(LAUNCHER)
	cmake --build build-package
	cd build-package && cpack -G DEB >/dev/null
	@realpath build-package/orvanto_*.deb | tail -n 1

# Screenshots of the three windows on a virtual X display, into docs/.
screenshots: build
	cmake --build $(BUILD) --target screenshots
	xvfb-run -a -s "-screen 0 1280x800x24" $(BUILD)/docs/screenshots docs
	xvfb-run -a -s "-screen 0 1280x800x24" $(BUILD)/docs/screenshots docs sheet
	QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x1600x24" $(BUILD)/docs/screenshots docs sheet

# Windows: Orvanto.exe cross-built with MinGW-w64 against a static Qt built once
# from Debian's source (cached outside the tree), a portable zip and an installer;
# their paths are the last two lines printed. Tested under Wine.
windows:
	scripts/windows/build.sh

test-windows: windows
	scripts/windows/test.sh

bench-windows: windows
	scripts/windows/bench.sh

SOURCES = $(shell find files csv calc list race history imports logic ui tests bench docs fuzz -name '*.cpp' -o -name '*.h' 2>/dev/null)

format:
	clang-format -i $(SOURCES)

format-check:
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz build-release build-package build-windows
