# Benchmark tools, each in a folder of its own; run them by hand (they are not tests).
add_subdirectory(bench_shaders)
# Gamepad module latency and pump cost; drives the virtual pads of the test support code.
if(JOYVANT_BUILD_TESTS)
    add_subdirectory(bench_gamepad)
endif()
# Cost of the diagnostics analysis per axis report; virtual pads as well.
if(JOYVANT_BUILD_TESTS)
    add_subdirectory(bench_diagnostics)
endif()
add_subdirectory(sonolux_bench)
# Stick view paint time, and the screenshot of the controller widgets; drives a virtual pad.
if(JOYVANT_BUILD_TESTS)
    add_subdirectory(bench_stick)
endif()
