# Registers one CTest test per GoogleTest suite of a test program, found by
# reading its sources. One process per suite keeps Wine start-ups few while
# CTest still names what failed. Under cross-compilation CTest runs the .exe
# through CMAKE_CROSSCOMPILING_EMULATOR.
function(zelmivo_add_gtest_suites target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(suites "")
  foreach(source IN LISTS sources)
    if(NOT IS_ABSOLUTE "${source}")
      set(source "${source_dir}/${source}")
    endif()
    file(STRINGS "${source}" lines REGEX "^(TEST|TEST_F|TEST_P)\\(")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
      list(APPEND suites ${suite})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  foreach(suite IN LISTS suites)
    add_test(NAME ${target}.${suite}
             COMMAND ${target} --gtest_filter=${suite}.*:${suite}/*)
    set_tests_properties(${target}.${suite} PROPERTIES TIMEOUT 300)
  endforeach()
endfunction()
