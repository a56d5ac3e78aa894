# The longest a test may run before CTest fails it, so that a test that hangs
# fails the run instead of stalling it. Far above what any test takes, also
# in the sanitizers' builds (make sanitize, make tsan), which run several
# times slower.
if(QUILLMARK_SANITIZE OR CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(QUILLMARK_TEST_TIMEOUT_DEFAULT 900)
else()
  set(QUILLMARK_TEST_TIMEOUT_DEFAULT 300)
endif()
set(QUILLMARK_TEST_TIMEOUT ${QUILLMARK_TEST_TIMEOUT_DEFAULT} CACHE STRING "Seconds a test may run before it fails")

# The subsystem folders, lowest layer first. A folder joins the build as soon as
# it has a CMakeLists.txt of its own.
set(QUILLMARK_SUBSYSTEMS platform model app table print interchange editors detail find)

# quillmark_add_test_suite(<subsystem> [TARGET <name>] [LABELS ...]
#                          SOURCES ... [LIBRARIES ...])
# One GoogleTest executable per subsystem, quillmark_<subsystem>_tests unless
# TARGET names another; every test it holds carries the subsystem's name as
# its CTest label, so `ctest -L model` runs one subsystem, and the LABELS
# given, so that a build can leave out a kind of test whatever its name
# (`ctest -LE subprocess`).
function(quillmark_add_test_suite subsystem)
  cmake_parse_arguments(ARG "" "TARGET" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  set(target quillmark_${subsystem}_tests)
  if(ARG_TARGET)
    set(target ${ARG_TARGET})
  endif()
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE quillmark_testmain ${ARG_LIBRARIES})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES
    PROPERTIES LABELS ${subsystem} ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT ${QUILLMARK_TEST_TIMEOUT}
  )
  # Further labels go on once the tests are discovered, from the list the
  # discovery leaves in <target>_TESTS: discovery itself takes one label only.
  if(ARG_LABELS)
    set(labels_script ${CMAKE_CURRENT_BINARY_DIR}/${target}_labels.cmake)
    file(WRITE ${labels_script}
      "if(${target}_TESTS)\n"
      "  set_tests_properties(\${${target}_TESTS} PROPERTIES LABELS \"${subsystem};${ARG_LABELS}\")\n"
      "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${labels_script})
  endif()
endfunction()
