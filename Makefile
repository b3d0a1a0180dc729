# Sweeper: the two commands are `make run` and `make test`.
# Every target works on the architectures in ARCHES (x86 = the 32-bit
# program, x64 = the 64-bit one), each in its own folder build/<arch>.
BUILD_ROOT ?= $(CURDIR)/build
ARCHES ?= x86 x64
export BUILD_ROOT ARCHES
JOBS ?= 2

.PHONY: all build deps test run bench stress dist reproduce clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD_ROOT)/%/CMakeCache.txt:
	cmake -S . -B $(BUILD_ROOT)/$* -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$*.cmake -DCMAKE_BUILD_TYPE=Release

# TARGETS names what to build (default: the programs, unit tests and test
# tools); bench and stress add their own programs.
TARGETS ?= all
build: $(foreach arch,$(ARCHES),$(BUILD_ROOT)/$(arch)/CMakeCache.txt)
	@set -e; for arch in $(ARCHES); do cmake --build $(BUILD_ROOT)/$$arch -j $(JOBS) --target $(TARGETS); done

test: deps
	@$(MAKE) --no-print-directory build
	bash scripts/run-tests.sh

# run.sh picks the architecture and builds the one program it starts (and,
# for the demonstration, the tools that drive it).
run: deps
	bash scripts/run.sh

bench: deps
	@$(MAKE) --no-print-directory build TARGETS="all benchmarks"
	bash scripts/run-bench.sh

stress: deps
	@$(MAKE) --no-print-directory build TARGETS="all stress_tests"
	bash scripts/run-tests.sh -L stress

# The release: both programs, whatever ARCHES says.
dist: deps
	@$(MAKE) --no-print-directory $(BUILD_ROOT)/x86/CMakeCache.txt $(BUILD_ROOT)/x64/CMakeCache.txt
	bash scripts/dist.sh

# The release built again from a fresh clone of the commit, compared byte for byte.
reproduce: deps
	bash scripts/reproduce.sh

clean:
	rm -rf $(BUILD_ROOT) out dist
