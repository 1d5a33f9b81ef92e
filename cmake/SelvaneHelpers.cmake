# selvane_add_test(name SOURCES a.cpp b.cpp LIBS lib... LABELS unit|gui|render)
# One GoogleTest executable, registered with CTest test by test, with the
# tests' shared support (tests/support; add selvane_test_support_qt for the
# platform double).
include(GoogleTest)
function(selvane_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} selvane_test_support GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(NOT ARG_LABELS)
    set(ARG_LABELS unit)
  endif()
  gtest_discover_tests(${name}
    PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()

# selvane_npm_ci(dossier_source repertoire_modules)
# Installs the npm packages pinned by a folder's package-lock.json into the build tree;
# the stamp node_modules/.package-lock.json is what generators depend on.
function(selvane_npm_ci source modules commentaire)
  add_custom_command(
    OUTPUT ${modules}/node_modules/.package-lock.json
    COMMAND ${CMAKE_COMMAND} -E make_directory ${modules}
    COMMAND ${CMAKE_COMMAND} -E copy ${source}/package.json ${source}/package-lock.json ${modules}
    COMMAND ${SELVANE_NPM} ci --no-audit --no-fund --ignore-scripts --loglevel=error
    WORKING_DIRECTORY ${modules}
    DEPENDS ${source}/package.json ${source}/package-lock.json
    COMMENT "${commentaire}")
endfunction()
