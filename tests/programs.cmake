# The Windows programs of the Wine and end-to-end layers, built for this tree's
# architecture: the Win32 test executables (the product's modules with the
# recording seam), the probe, the planted library, the power helper, the idle
# floor of the benchmark.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB support_sources ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp)
add_library(wine_support STATIC ${support_sources})
target_link_libraries(wine_support PUBLIC seam_recorder noctilcore GTest::gtest)
target_include_directories(wine_support PUBLIC ${CMAKE_SOURCE_DIR})

foreach(area ${NOCTIL_AREAS})
  file(GLOB wine_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/wine_*.cpp)
  if(wine_sources)
    if(area STREQUAL "base") # the literals must be Shift-JIS in the cross build too
      list(APPEND wine_sources ${CMAKE_CURRENT_SOURCE_DIR}/base/native_charset.cpp)
    endif()
    add_executable(wine_${area} ${wine_sources} ${NOCTIL_RC})
    target_link_libraries(wine_${area} PRIVATE wine_support GTest::gtest_main)
    if(area STREQUAL "installer")
      target_link_libraries(wine_${area} PRIVATE noctillink_lib)
    endif()
    if(area STREQUAL "netwatch")
      target_link_libraries(wine_${area} PRIVATE wsock32)
    endif()
    target_link_options(wine_${area} PRIVATE ${NOCTIL_LINK})
  endif()
endforeach()

# The probe is a small Windows tool that finds windows and sends them messages
# from another process.
add_executable(probe e2e/probe.cpp)
target_compile_definitions(probe PRIVATE ${NOCTIL_DEFS})
target_compile_options(probe PRIVATE -fexec-charset=CP932)
target_link_libraries(probe PRIVATE user32 gdi32)
target_link_options(probe PRIVATE ${NOCTIL_LINK})
set_target_properties(probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e)
# A library that records where it was loaded from, planted beside the programs
# under the names of the system libraries they load at run time.
add_library(planted_library SHARED e2e/planted_library.cpp)
target_link_options(planted_library PRIVATE ${NOCTIL_LINK})
set_target_properties(planted_library PROPERTIES PREFIX "" OUTPUT_NAME planted
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e)
add_dependencies(probe planted_library)
# The probe's labels command hooks it into the thread of the window it measures.
add_library(label_hook SHARED e2e/label_hook.cpp)
target_compile_definitions(label_hook PRIVATE ${NOCTIL_DEFS})
target_link_libraries(label_hook PRIVATE user32 gdi32)
target_link_options(label_hook PRIVATE ${NOCTIL_LINK})
set_target_properties(label_hook PROPERTIES PREFIX "" OUTPUT_NAME labelhook
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e)
add_dependencies(probe label_hook)
add_dependencies(wine_base planted_library)

# A harmless helper process for the power tests (windows that log the
# end-session messages they get; a sleeper run under the name EXPLORER.EXE),
# and the power tests built once more to run as a Windows 98 program.
add_executable(power_helper WIN32 power/helper/power_helper.cpp)
target_link_options(power_helper PRIVATE ${NOCTIL_LINK})
add_dependencies(wine_power power_helper)
add_executable(wine_power98 power/win98/wine98_power.cpp ${NOCTIL_RC})
target_link_libraries(wine_power98 PRIVATE wine_support GTest::gtest_main)
target_link_options(wine_power98 PRIVATE ${NOCTIL_LINK})
add_dependencies(wine_power98 power_helper)

# The idle floor that tools/bench_idle.sh measures the program against.
add_executable(idle_floor WIN32 ${CMAKE_SOURCE_DIR}/tools/bench/idle_floor.cpp)
target_compile_options(idle_floor PRIVATE -fexec-charset=CP932)
target_link_libraries(idle_floor PRIVATE user32 gdi32 shell32)
target_link_options(idle_floor PRIVATE ${NOCTIL_LINK})
set_target_properties(idle_floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
