# velmora_library(NAME DIR deps...): a static library of every .cpp under DIR.
# A folder that holds no source yet gets an INTERFACE target so dependants link.
function(velmora_library name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h ${CMAKE_SOURCE_DIR}/${dir}/*.qrc)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(has_cpp OFF)
  foreach(s ${sources})
    if(s MATCHES "\\.cpp$")
      set(has_cpp ON)
    endif()
  endforeach()
  if(has_cpp)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# velmora_tests(NAME DIR deps...): one GoogleTest program of every *_test.cpp under DIR.
function(velmora_tests name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE velmora_testsupport ${ARGN})
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/support/lsan.supp"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
