# Korvel for people: `make run` starts the program on the demo club, `make test` runs every test,
# `make package` makes the Debian package of that same build.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
FUZZ_DDE_SECONDS ?= 30
DEMO := examples/demo-club.kvl

.PHONY: deps build test bench run package sanitize fuzz clean

deps:
	@scripts/install-deps

build: deps
	@cmake --preset dev >/dev/null
	cmake --build --preset dev -j $(JOBS)

test: build
	ctest --preset dev -j $(JOBS)

bench: build
	build/dev/bin/korvel_bench --benchmark_counters_tabular=true

run: build
	build/dev/bin/korvel $(DEMO)

package: build
	cmake --build --preset dev --target package

sanitize: deps
	@cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

fuzz: deps
	@cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target fuzz_loader fuzz_dde korvel-cli
	scripts/run-fuzz build/fuzz/bin/fuzz_loader $(FUZZ_SECONDS)
	scripts/run-fuzz build/fuzz/bin/fuzz_dde $(FUZZ_DDE_SECONDS)

clean:
	rm -rf build
