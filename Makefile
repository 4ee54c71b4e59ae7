# The two commands a newcomer needs: `make run` and `make test`.
# Both install what is missing (Debian 12), configure and build first.

BUILD      ?= build
ASAN_BUILD ?= build-asan
CMAKE_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test test-sanitize deps build bench format format-check clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD)

run: build
	@scripts/run.sh $(BUILD)/ui/Orvanto

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANTO_SANITIZE=ON
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure

format:
	clang-format -i $$(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')

format-check:
	clang-format --dry-run --Werror $$(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
