# The two commands: `make test` (everything, both platforms) and `make demo` (the program under Wine).
.PHONY: test demo deps build dist fuzz bench format

deps:
	@scripts/install-deps.sh

test: deps
	@mkdir -p build
	@scripts/run-tests.sh

build: deps
	cmake --preset win32 && cmake --build --preset win32

dist: deps
	@scripts/dist.sh

demo: deps
	@scripts/demo.sh

fuzz: deps
	@scripts/fuzz.sh

bench: deps
	@scripts/bench.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
