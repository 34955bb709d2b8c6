# Painting a chart of the feedback window's size into the Qt off-screen buffer.
if(MORVANE_BUILD_GUI)
  morvane_add_benchmark(chart_bench SOURCES chart_bench.cpp LIBS morvane_chart_qt morvane_feedback_charts)
endif()
