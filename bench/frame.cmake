# The frame benchmark draws into a real OpenGL canvas, so it needs the
# windowed library and a display: an executable of its own, run with
# `cmake --build <build> --target frame-bench` under scripts/with-display.sh.
if(TARGET quillon_gui)
  find_package(benchmark REQUIRED)
  add_executable(quillon-frame-bench ${CMAKE_CURRENT_LIST_DIR}/gui/frame_bench.cpp)
  target_link_libraries(quillon-frame-bench PRIVATE quillon_gui benchmark::benchmark benchmark::benchmark_main)
  add_custom_target(frame-bench
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-display.sh $<TARGET_FILE:quillon-frame-bench>
      --benchmark_counters_tabular=true
    DEPENDS quillon-frame-bench
    USES_TERMINAL)
endif()

# From a pointer move on the evolution canvas to the code view drawn, in the
# program's window: the same display and benchmark runner as the frames.
if(TARGET quillon_gui)
  add_executable(quillon-pointer-bench ${CMAKE_CURRENT_LIST_DIR}/gui/pointer_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gui/program_window.cpp ${CMAKE_CURRENT_LIST_DIR}/synthetic_evolution.cpp)
  target_link_libraries(quillon-pointer-bench PRIVATE quillon_gui benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(quillon-pointer-bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(quillon-pointer-bench PRIVATE QUILLON_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_custom_target(pointer-bench
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-display.sh $<TARGET_FILE:quillon-pointer-bench>
      --benchmark_counters_tabular=true
    DEPENDS quillon-pointer-bench
    USES_TERMINAL)
endif()

# Every kind of event in the program's window, from its delivery to every
# damaged window drawn and finished, per layout, with the opening and the
# peak memory: a table of medians rather than the benchmark runner's report.
# `quillon-interaction-bench --evolution PATH` measures a given evolution.
if(TARGET quillon_gui)
  add_executable(quillon-interaction-bench ${CMAKE_CURRENT_LIST_DIR}/gui/interaction_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gui/program_window.cpp ${CMAKE_CURRENT_LIST_DIR}/synthetic_evolution.cpp)
  target_link_libraries(quillon-interaction-bench PRIVATE quillon_gui benchmark::benchmark)
  target_include_directories(quillon-interaction-bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(quillon-interaction-bench PRIVATE QUILLON_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_custom_target(interaction-bench
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-display.sh $<TARGET_FILE:quillon-interaction-bench>
    DEPENDS quillon-interaction-bench
    USES_TERMINAL)
endif()
