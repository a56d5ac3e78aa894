# The subsystem folders, lowest layer first. A folder joins the build as soon as
# it has a CMakeLists.txt of its own.
set(QUILLMARK_SUBSYSTEMS platform model app table print interchange editors detail find)

# quillmark_add_test_suite(<subsystem> SOURCES ... [LIBRARIES ...])
# One GoogleTest executable per subsystem; every test it holds carries the
# subsystem's name as its CTest label, so `ctest -L model` runs one subsystem.
function(quillmark_add_test_suite subsystem)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  set(target quillmark_${subsystem}_tests)
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE quillmark_testmain ${ARG_LIBRARIES})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES
    PROPERTIES LABELS ${subsystem} ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  )
endfunction()
