# Pawmark Houndry: `make run` and `make test` set up everything they need.
KENNEL_DIR ?= $(CURDIR)/data
PACKAGES := cmake ninja-build g++ qt6-base-dev libqt6sql6-sqlite libsqlite3-dev sqlite3 \
            libzip-dev libssl-dev libcsv-dev pkg-config fonts-liberation2 xvfb xauth poppler-utils clang-format \
            dpkg-dev desktop-file-utils appstream xdotool cppcheck \
            libxlsxwriter-dev qt6-charts-dev libqt6opengl6-dev libical-dev libkainjow-mustache-dev tidy chromium
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= 2

.PHONY: deps build run test tsan lint package format-check bench bench-genetics bench-screens bench-linked sample clean

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build build/release -j$(JOBS) --target houndry houndry-bench houndry-sample

# A Debian package of the program, its menu entry, icons and metadata: houndry_<version>_<arch>.deb
# here, for `apt-get install ./houndry_*.deb`.
package: build
	cmake --build build/release -j$(JOBS) --target houndry-icon-files
	desktop-file-validate packaging/org.pawmark.houndry.desktop
	appstreamcli validate --no-net packaging/org.pawmark.houndry.metainfo.xml
	cd build/release && cpack -G DEB
	cp build/release/houndry_*.deb .

run: build
	mkdir -p "$(KENNEL_DIR)"
	cd "$(KENNEL_DIR)" && "$(CURDIR)/build/release/app/houndry"

test: deps
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHOUNDRY_SANITIZE=ON -DHOUNDRY_WERROR=ON
	cmake --build build/test -j$(JOBS)
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The tests again under ThreadSanitizer, for what runs beside the window: the genetics'
# preparation, the searches' reading, the page check, the counts and the backups.
tsan: deps
	cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHOUNDRY_TSAN=ON -DHOUNDRY_WERROR=ON
	cmake --build build/tsan -j$(JOBS)
	cd build/tsan && QT_QPA_PLATFORM=offscreen \
	  TSAN_OPTIONS="die_after_fork=0 report_mutex_bugs=0 suppressions=$(CURDIR)/tests/tsan.supp" \
	  ctest --output-on-failure -j$(JOBS)

# cppcheck over every source file, for faults rather than taste: its errors (undefined
# behaviour, out of bounds, null pointers, leaks), warnings (suspicious logic, members left
# uninitialised), performance (containers copied where a reference serves) and portability.
# Its style checks are left out: they flag the prepares whose errors the exec reports, and
# suggest algorithms and explicit constructors, which is taste.
lint: deps
	git ls-files '*.cpp' | xargs cppcheck --quiet -j$(JOBS) --std=c++20 --library=qt -I . \
	  --enable=warning,performance,portability --inline-suppr \
	  --suppress=missingIncludeSystem --error-exitcode=1

# Every source file laid out as .clang-format says, by the clang-format Debian ships.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

# A small kennel to try the program with; refuses to overwrite existing files.
sample: build
	mkdir -p "$(KENNEL_DIR)"
	cd "$(KENNEL_DIR)" && "$(CURDIR)/build/release/sample/houndry-sample"

# Generates a synthetic kennel (DOGS dogs) into BENCH_DIR and times the named operations.
DOGS ?= 100000
MATINGS ?= 50000
BENCH_DIR ?= $(CURDIR)/build/bench-kennel
bench: build
	QT_QPA_PLATFORM=offscreen build/release/bench/houndry-bench \
	  --dogs $(DOGS) --matings $(MATINGS) --dir "$(BENCH_DIR)"

# The genetics on closed populations: 1,000,000 dogs over 40 generations, 500,000 over 60,
# and 1,000,000 with one loop deep inside.
bench-genetics: build
	QT_QPA_PLATFORM=offscreen build/release/bench/houndry-bench \
	  --dogs 1000000 --deep 40 --dir "$(CURDIR)/build/bench-deep-1m"
	QT_QPA_PLATFORM=offscreen build/release/bench/houndry-bench \
	  --dogs 500000 --deep 60 --dir "$(CURDIR)/build/bench-deep-500k"
	QT_QPA_PLATFORM=offscreen build/release/bench/houndry-bench \
	  --dogs 1000000 --deep 40 --loop --dir "$(CURDIR)/build/bench-deep-loop"

# Opening every screen, All Dogs and the long reports through the main window, on 100,000
# and on 1,000,000 dogs; each report in a process of its own for its memory figure.
bench-screens: build
	QT_QPA_PLATFORM=offscreen build/release/bench/houndry-bench --only-screens \
	  --dogs 100000 --matings 50000 --dir "$(CURDIR)/build/bench-kennel"
	QT_QPA_PLATFORM=offscreen build/release/bench/houndry-bench --only-screens \
	  --dogs 1000000 --matings 500000 --litters 100000 --dir "$(CURDIR)/build/bench-1m"

# A rename carrying a stud's 500 offspring and 200 matings, a merge, and the search for
# likely duplicates, on 1,000,000 dogs.
bench-linked: build
	QT_QPA_PLATFORM=offscreen build/release/bench/houndry-bench --only-linked \
	  --dogs 1000000 --matings 500000 --litters 100000 --dir "$(CURDIR)/build/bench-1m"

clean:
	rm -rf build
