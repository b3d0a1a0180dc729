# Sweeper: the two commands are `make run` and `make test`.
BUILD_DIR ?= $(CURDIR)/build
export BUILD_DIR
JOBS ?= 2

.PHONY: all build deps configure test run bench stress clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

configure: $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: deps
	@$(MAKE) --no-print-directory build
	bash scripts/run-tests.sh

run: deps
	@$(MAKE) --no-print-directory build
	bash scripts/run.sh

bench: deps
	@$(MAKE) --no-print-directory build
	bash scripts/run-bench.sh

stress: deps
	@$(MAKE) --no-print-directory build
	bash scripts/run-tests.sh -L stress

clean:
	rm -rf $(BUILD_DIR) out
