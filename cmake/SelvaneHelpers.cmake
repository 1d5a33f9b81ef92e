# selvane_module(name [QT] [INTERFACE] SOURCES a.cpp ... DEPENDS lib... [NEVER lib...])
# One library of the folder it is declared in: its sources, the repository root as its include
# directory (headers are named by folder: "listing/DessinTheme.h"), its dependencies (public, so that users get them too). QT runs moc on its
# sources (windows with Q_OBJECT); INTERFACE declares headers only. NEVER names libraries
# it must not reach, even through others (a technique never needs the listing or the
# frame), or whole folders written with a slash ("dial/": every module declared there);
# selvane_verifier_couches() stops the configuration when one does.
function(selvane_module name)
  cmake_parse_arguments(ARG "QT;INTERFACE" "" "SOURCES;DEPENDS;NEVER" ${ARGN})
  file(RELATIVE_PATH dossier ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY SELVANE_DOSSIERS "${dossier}/")
  set_property(GLOBAL APPEND PROPERTY SELVANE_MODULES ${name})
  set_property(GLOBAL PROPERTY SELVANE_DOSSIER_${name} "${dossier}/")
  if(ARG_NEVER)
    set_property(GLOBAL APPEND PROPERTY SELVANE_MODULES_BORNES ${name})
    set_property(GLOBAL PROPERTY SELVANE_JAMAIS_${name} ${ARG_NEVER})
  endif()
  if(ARG_INTERFACE)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# Every library a target reaches through its link dependencies, into the variable `sortie`.
function(selvane_dependances cible sortie)
  set(vues)
  set(a_voir ${cible})
  while(a_voir)
    list(POP_FRONT a_voir t)
    if(NOT TARGET ${t} OR t IN_LIST vues)
      continue()
    endif()
    list(APPEND vues ${t})
    get_target_property(type ${t} TYPE)
    set(libs)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(libs ${t} LINK_LIBRARIES)
    endif()
    get_target_property(interface ${t} INTERFACE_LINK_LIBRARIES)
    foreach(l ${libs} ${interface})
      if(l AND NOT l MATCHES "NOTFOUND$")
        list(APPEND a_voir ${l})
      endif()
    endforeach()
  endwhile()
  list(REMOVE_ITEM vues ${cible})
  set(${sortie} ${vues} PARENT_SCOPE)
endfunction()

# Called once every folder is declared: a module that reaches a library or a folder it names
# in NEVER stops the configuration, so the layers stay as they are drawn. A name that is
# neither a target nor a folder of modules stops it too: a misspelt bound would guard nothing.
function(selvane_verifier_couches)
  get_property(modules GLOBAL PROPERTY SELVANE_MODULES_BORNES)
  get_property(dossiers GLOBAL PROPERTY SELVANE_DOSSIERS)
  foreach(m ${modules})
    get_property(jamais GLOBAL PROPERTY SELVANE_JAMAIS_${m})
    selvane_dependances(${m} atteintes)
    foreach(j ${jamais})
      if(j MATCHES "/$")
        if(NOT j IN_LIST dossiers)
          message(FATAL_ERROR "${m}: NEVER ${j} names no folder of modules")
        endif()
        foreach(a ${atteintes})
          get_property(d GLOBAL PROPERTY SELVANE_DOSSIER_${a})
          if(d STREQUAL j)
            message(FATAL_ERROR "${m} must not depend on ${a} (${j})")
          endif()
        endforeach()
      elseif(NOT TARGET ${j})
        message(FATAL_ERROR "${m}: NEVER ${j} names no target")
      elseif(j IN_LIST atteintes)
        message(FATAL_ERROR "${m} must not depend on ${j}")
      endif()
    endforeach()
  endforeach()
  # The method library sits on the core: the core and the records never reach it.
  get_property(tous GLOBAL PROPERTY SELVANE_MODULES)
  foreach(m ${tous})
    get_property(d GLOBAL PROPERTY SELVANE_DOSSIER_${m})
    if(NOT d STREQUAL "core/" AND NOT d STREQUAL "birthdata/records/")
      continue()
    endif()
    selvane_dependances(${m} atteintes)
    foreach(a ${atteintes})
      get_property(da GLOBAL PROPERTY SELVANE_DOSSIER_${a})
      if(da STREQUAL "methode/")
        message(FATAL_ERROR "${m} must not depend on ${a} (methode/ sits above ${d})")
      endif()
    endforeach()
  endforeach()
endfunction()

# selvane_programme(name [QT] SOURCES a.cpp ... DEPENDS lib... [SORTIE dir])
# One executable; it lands in the program directory unless SORTIE names another folder.
function(selvane_programme name)
  cmake_parse_arguments(ARG "QT" "SORTIE" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
  if(ARG_SORTIE)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ARG_SORTIE})
  endif()
endfunction()

# selvane_add_test(name SOURCES a.cpp b.cpp LIBS lib... LABELS unit|gui|render)
# One label only: a list would split the properties handed to test discovery and silently
# drop the offscreen platform of every test of the executable.
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
  list(LENGTH ARG_LABELS nombre)
  if(nombre GREATER 1)
    message(FATAL_ERROR "selvane_add_test(${name}): one label, not ${ARG_LABELS}")
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
