# Benchmark tools, each in a folder of its own; run them by hand (they are not tests).
add_subdirectory(bench_shaders)
# Gamepad module latency and pump cost; drives the virtual pads of the test support code.
if(JOYVANT_BUILD_TESTS)
    add_subdirectory(bench_gamepad)
    # Screenshots and frame time of the controller test view, played by a virtual pad.
    add_subdirectory(testview)
    # The README's picture of the whole program, with a virtual pad and the pie menu open.
    add_subdirectory(program_shot)
    # The whole program for a long time, scenes switched through the pie menu, memory sampled.
    add_subdirectory(soak)
endif()
# Cost of the diagnostics analysis per axis report; virtual pads as well.
if(JOYVANT_BUILD_TESTS)
    add_subdirectory(bench_diagnostics)
endif()
add_subdirectory(sonolux_bench)
# Stick view paint time, and the screenshot of the controller widgets; drives a virtual pad.
if(JOYVANT_BUILD_TESTS)
    add_subdirectory(bench_stick)
    # The pad health view: its frame cost beside the stick views', and docs/pad-health.png.
    add_subdirectory(bench_padhealth)
endif()
# Report-rate measurement per report frame, against reading the pipe alone.
add_subdirectory(bench_reportrate)
# TreeView toggle and append times at 100,000 rows.
add_subdirectory(bench_treeview)
# Baseline window of the start-up benchmark (tools/bench_startup.py).
add_subdirectory(bench_startup)
