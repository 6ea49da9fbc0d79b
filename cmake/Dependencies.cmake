# Every library the build looks up, with the oldest version it is known to work with
# (Debian 12's). Each lookup yields an imported target, so a folder only names it in
# target_link_libraries. Included once, from the top CMakeLists.txt.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})

# The Qt-free core, the command and the generator.
find_package(OpenSSL 3.0 REQUIRED COMPONENTS Crypto)       # OpenSSL::Crypto
find_package(nlohmann_json 3.10 REQUIRED)                  # nlohmann_json::nlohmann_json
find_package(CLI11 2.1 CONFIG REQUIRED)                    # CLI11::CLI11
find_package(ReadStat 1.1 REQUIRED)                        # ReadStat::ReadStat
find_package(Libdeflate 1.14 REQUIRED)                     # libdeflate::libdeflate

# The window: Qt6::Widgets, Qt6::Svg, Qt6::Charts.
if(ZENDRA91_GUI)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Svg Charts)
endif()

# Only a build with its tests needs the test frameworks: GTest::gtest_main, Python, and
# Qt6::Test, which the window's benchmark drives the lists with too.
if(ZENDRA91_TESTS)
  find_package(GTest 1.12 REQUIRED)
  find_package(Python3 3.9 REQUIRED COMPONENTS Interpreter)  # the layering check
endif()
if(ZENDRA91_GUI AND (ZENDRA91_TESTS OR ZENDRA91_BENCHMARKS))
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
endif()
