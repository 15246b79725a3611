# Two commands for a fresh machine: `make run` and `make test` (see README.md).
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
SFP_WERROR ?= OFF
JOBS ?= $(shell nproc)
SIM_DIR = $(abspath $(BUILD_DIR))/sim
PREFIX ?= /usr/local

.PHONY: run test test-asan test-tsan deps configure build emulated install format clean

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DSFP_WERROR=$(SFP_WERROR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The front panel against the bundled instrument simulator.
run: build
	QOT7720_VISA_LIBRARY=$(SIM_DIR)/libvisa.so \
	QOT7720_DRIVER_LIBRARY=$(SIM_DIR)/libqot7720_32.so \
	$(BUILD_DIR)/qot7720-sfp $(ARGS)

# The front panel in emulation mode (no libraries, no instrument).
emulated: build
	QOT7720_VISA_LIBRARY=/nonexistent/libvisa.so $(BUILD_DIR)/qot7720-sfp $(ARGS)

# The program, help, icon, desktop entry, metainfo and the simulator with its
# launcher qot7720-sfp-sim, under $(PREFIX) (relocatable).
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every test under AddressSanitizer and UBSan.
test-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSFP_SANITIZE=address \
	  -DSFP_BUILD_BENCH=OFF -DSFP_WERROR=$(SFP_WERROR)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(abspath tests/sanitizers/lsan.supp):print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# The Qt-free tests (reading engine, simulator) under ThreadSanitizer: Debian's
# Qt is not instrumented, so widget code would only give false reports.
test-tsan: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSFP_SANITIZE=thread \
	  -DSFP_BUILD_BENCH=OFF -DSFP_WERROR=$(SFP_WERROR)
	cmake --build build-tsan -j $(JOBS) --target tests_engine tests_sim tests_io_record
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ctest --output-on-failure -R '^(engine|sim|io_record)$$'

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
