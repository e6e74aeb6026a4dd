# The two commands a new user needs:
#   make demo   builds the suite, runs one whole simulation on the example data, then a small
#               replicate study of it, and checks the study with simcheck
#   make test   builds the suite and runs every test; a test tool the machine lacks is
#               installed with apt-get where the user may (tests/check-test-tools says which)
# Further targets: make build, make sanitize (tests under AddressSanitizer and
# UndefinedBehaviorSanitizer), make fuzz (every fuzz target for FUZZ_SECONDS each, needs clang),
# make install [PREFIX=/usr/local], make package (a Debian package in build/), make bench,
# make clean.

PREFIX ?= /usr/local
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo

.PHONY: all build test demo sanitize fuzz install package bench clean check-tools

all: build

build: check-tools
	cmake -S . -B build -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null
	cmake --build build -j $(JOBS)

test: check-tools
	@tests/check-test-tools
	@$(MAKE) --no-print-directory build
	ctest --test-dir build --output-on-failure -j $(JOBS)

sanitize: check-tools
	@tests/check-test-tools
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null
	cmake --build build-sanitize -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

FUZZ_SECONDS ?= 300
fuzz:
	tests/fuzz/run $(FUZZ_SECONDS)

demo: check-tools
	@tests/check-test-tools --build
	@$(MAKE) --no-print-directory build
	examples/run-chain demo-out
	@echo
	rm -rf demo-study
	build/bin/simreps -n 20 --first-seed 1207 --keep-working examples/pe0.wrk examples/chromosome.wrk examples/model.wrk demo-study
	@echo "Replicate study in demo-study/: pedigree.sol and map.wrk.sol once, rep01/ to rep20/ with mark.sol and phen.sol (and the working files simcheck reads), manifest.tsv"
	@echo
	build/bin/simcheck demo-study
	@echo
	@echo "simcheck's figure: demo-study/simcheck/simcheck.svg (open it in a browser); its tables: demo-study/simcheck/*.tsv"

install: build
	cmake --install build --prefix "$(PREFIX)"

# The Debian package: build/<name>_<version>_<arch>.deb, for apt-get install ./build/*.deb.
package: build
	@command -v dpkg-shlibdeps >/dev/null || { echo "make package: dpkg-shlibdeps is missing (Debian: apt-get install dpkg-dev)"; exit 1; }
	cd build && cpack -G DEB >/dev/null
	@ls build/*.deb

bench:
	bench/run

check-tools:
	@for tool in cmake g++; do \
	  command -v $$tool >/dev/null || { echo "make: $$tool is missing (Debian: apt-get install cmake g++)"; exit 1; }; \
	done

clean:
	rm -rf build build-sanitize build-fuzz demo-out demo-study
