# morvane-snapshot: the two windows rendered headless, for looking at them without a desktop.
if(MORVANE_BUILD_GUI)
  add_executable(morvane-snapshot morvane_snapshot.cpp)
  target_link_libraries(morvane-snapshot PRIVATE
    morvane_input morvane_feedback morvane_toolkit morvane_version CLI11::CLI11
    nlohmann_json::nlohmann_json)
  install(TARGETS morvane-snapshot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
