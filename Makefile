# Two commands for a fresh machine: `make run` and `make test` (see README.md).
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
SFP_WERROR ?= OFF
JOBS ?= $(shell nproc)
SIM_DIR = $(abspath $(BUILD_DIR))/sim

.PHONY: run test deps configure build emulated format clean

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

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
