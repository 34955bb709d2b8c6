if(MORVANE_BUILD_GUI)
  # Runs headless on Qt's offscreen platform; it creates its QApplication itself.
  add_executable(ui_bench ui_bench.cpp)
  target_link_libraries(ui_bench PRIVATE morvane_input morvane_feedback benchmark::benchmark)
endif()
