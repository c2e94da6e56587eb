# The Debian package: packed from this build with CPack once (the fixture),
# then checked as a player's system would see it. Label: package.
find_program(CPACK_PROGRAM cpack REQUIRED)
foreach(tool lintian desktop-file-validate appstreamcli dpkg-deb dpkg-shlibdeps identify file)
  find_program(tool_${tool} ${tool})
  if(NOT tool_${tool})
    message(FATAL_ERROR "${tool} missing: run tools/install-deps.sh")
  endif()
endforeach()

set(packageOut ${CMAKE_BINARY_DIR}/package-test)
set(packageChecks ${CMAKE_CURRENT_SOURCE_DIR}/package_checks.sh)

add_test(NAME package_build COMMAND sh ${packageChecks} build ${CMAKE_BINARY_DIR} ${packageOut})
set_tests_properties(package_build PROPERTIES
  FIXTURES_SETUP kitrovane_deb LABELS package TIMEOUT 300)

foreach(check lintian desktop appstream contents launcher)
  add_test(NAME package_${check}
    COMMAND sh ${packageChecks} ${check} ${packageOut} ${PROJECT_SOURCE_DIR}/assets)
  set_tests_properties(package_${check} PROPERTIES
    FIXTURES_REQUIRED kitrovane_deb LABELS package TIMEOUT 120)
endforeach()

# The unpacked launcher under Xvfb, through the window tests' harness.
add_executable(package_launch_test package_launch_test.cpp window_harness.cpp)
target_link_libraries(package_launch_test PRIVATE GTest::gtest_main sfml-graphics)
target_compile_definitions(package_launch_test PRIVATE
  PACKAGE_ROOT="${packageOut}/root"
  KITROVANE_EXE="${packageOut}/root/usr/games/kitrovane"
  CLOSE_REQUEST_HELPER="$<TARGET_FILE:close_request>")
add_test(NAME package_launch COMMAND package_launch_test)
set_tests_properties(package_launch PROPERTIES
  FIXTURES_REQUIRED kitrovane_deb LABELS package RUN_SERIAL TRUE TIMEOUT 120)
