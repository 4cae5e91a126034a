# Vantrel: the two commands of README.md, plus dist, fuzz and bench.
#   make run   build Vantrel.exe and start it under Wine on a demo program folder
#              (or on DIR=/path/to/program/folder)
#   make test  install what is missing, build both presets and run every test,
#              then the proggroup.c fuzzer for FUZZ_SECONDS, and check that the
#              tests are at most 0.40 of the code
#   make mutants  the mutation score of the native tests (MUTANTS faults, SEED)
SHELL := /bin/bash
JOBS ?= 2
NATIVE := build/native
WINDOWS := build/windows
DIST := build/dist
FUZZ_SECONDS ?= 60
MUTANTS ?= 60
SEED ?= 1
MUTANTS_TOOL ?= ../shared/tools/mutants.py

.PHONY: all deps native windows test test-native test-windows test-dist test-fuzz run dist fuzz \
	bench clean mutants

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build $(NATIVE) -j$(JOBS)

windows: deps
	cmake --preset windows >/dev/null
	cmake --build $(WINDOWS) -j$(JOBS)

# The random conservation test runs on its own so that its seed and step
# count show in the output (VANTREL_CONSERVATION_SEED repeats a run).
test-native: native
	ctest --test-dir $(NATIVE) -j$(JOBS) --output-on-failure -E '^Conservation\.'
	$(NATIVE)/native_tests --gtest_filter='Conservation.*' --gtest_brief=1

test-windows: windows
	scripts/wine-prefix.sh $(WINDOWS)/wineprefix
	ctest --test-dir $(WINDOWS) --output-on-failure

# The setup program installs, runs and uninstalls under Wine.
test-dist: dist
	tests/windows/installer_test.sh $(WINDOWS)/wineprefix $(DIST)

# Every run gives the proggroup.c fuzzer its FUZZ_SECONDS (60).
test-fuzz: deps
	scripts/fuzz.sh $(FUZZ_SECONDS)

test: test-native test-windows test-dist test-fuzz
	@scripts/test-ratio.py
	@echo "All native and Windows tests passed."

# Plants small faults in the portable code and lists those no test notices.
mutants: native
	$(MUTANTS_TOOL) --count $(MUTANTS) --seed $(SEED)

run: windows
	scripts/run-demo.sh $(WINDOWS) "$(DIR)"

dist: windows
	scripts/make-dist.sh $(WINDOWS) $(DIST)

fuzz: deps
	scripts/fuzz.sh $(FUZZ_SECONDS)

bench: deps windows
	scripts/bench.sh

clean:
	rm -rf build
