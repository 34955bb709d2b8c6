morvane_add_benchmark(core_bench SOURCES core_bench.cpp LIBS morvane_plot morvane_core)
