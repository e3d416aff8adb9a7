# The two commands of the contract: `make run` and `make test`.
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
JOBS ?= 2

.PHONY: all deps build run test test-build pot fuzz bench format clean

all: build

deps:
	bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	bash scripts/run.sh $(BUILD_DIR)

test-build: deps
	cmake -S . -B $(TEST_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGATEWARDEN_SANITIZE=ON
	cmake --build $(TEST_BUILD_DIR) -j $(JOBS)

test: test-build
	cd $(TEST_BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	bash scripts/run-fuzz.sh

# Extracts every translatable text of the sources into resources/locale/default.pot.
pot:
	xgettext --from-code=UTF-8 --language=C++ --keyword=_ --keyword=N_ --no-location --sort-output \
	  -o resources/locale/default.pot $$(find src -name '*.cpp' -o -name '*.h' | sort)

fuzz: deps
	bash scripts/run-fuzz.sh

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DGATEWARDEN_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	bash scripts/run-bench.sh build-bench

format:
	find src tests tools bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 -r clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) build-fuzz build-bench
