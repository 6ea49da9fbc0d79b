# Quick start: `make test` builds and runs every test; `make run` opens the window
# on a freshly written demo data set. Both install their Debian packages first.
BUILD_TEST := build/asan
BUILD_NOGUI := build/nogui
BUILD_RELEASE := build/release
BUILD_PACKAGE := build/package
JOBS ?= 2

.PHONY: test test-nogui run deps build release package bench demo clean

deps:
	./scripts/install-deps.sh

# The tests run in an AddressSanitizer + UndefinedBehaviorSanitizer build, after a quick
# check that each folder under src/ includes only the folders below it. It builds the
# benchmarks too (not run), so that a change cannot leave `make release` broken.
test: deps
	python3 scripts/check-layers.py
	cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DZENDRA91_SANITIZERS=address,undefined -DZENDRA91_BENCHMARKS=ON
	cmake --build $(BUILD_TEST) -j $(JOBS)
	cd $(BUILD_TEST) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-nogui

# The command, the generator and the core's tests also build and pass without Qt,
# under ThreadSanitizer: statistics files and digests are written on several threads.
# ThreadSanitizer cannot start on a kernel that randomises addresses more than it
# knows of; a probe finds out, and there the tests run without it, saying so.
test-nogui:
	mkdir -p build
	if echo 'int main() {}' | c++ -x c++ -fsanitize=thread -o build/tsan-probe - && build/tsan-probe; then \
	  sanitizers=thread; else sanitizers=; echo "ThreadSanitizer cannot run here: testing without it"; fi; \
	cmake -S . -B $(BUILD_NOGUI) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENDRA91_GUI=OFF -DZENDRA91_BENCHMARKS=OFF \
	  -DZENDRA91_SANITIZERS=$$sanitizers
	cmake --build $(BUILD_NOGUI) -j $(JOBS)
	cd $(BUILD_NOGUI) && ctest --output-on-failure -j $(JOBS)

release: deps
	cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENDRA91_TESTS=OFF
	cmake --build $(BUILD_RELEASE) -j $(JOBS)

# A Debian package in $(BUILD_PACKAGE); dpkg-shlibdeps fills in its dependencies, and
# lintian and dpkg -c check it.
package:
	./scripts/install-deps.sh --package
	cmake -S . -B $(BUILD_PACKAGE) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DZENDRA91_TESTS=OFF -DZENDRA91_BENCHMARKS=OFF
	cmake --build $(BUILD_PACKAGE) -j $(JOBS) --target check_package

demo: release
	$(BUILD_RELEASE)/bin/zendra91-makedata build/demo

run: demo
	cd build/demo && ../release/bin/zendra91

bench: release
	@echo "Benchmarks are in $(BUILD_RELEASE)/bench; see bench/README.md"

clean:
	rm -rf build
