# Every folder of src/ below ui/ and cli/ is one static library, quillstone_<folder>,
# built from the .cpp files found in it. A layer names the layers it may use; the
# list mirrors the dependency picture in docs/ARCHITECTURE.md, so a call that points
# upwards fails to link.
function(quillstone_layer name)
  cmake_parse_arguments(arg "" "" "DEPENDS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(sources)
    add_library(quillstone_${name} STATIC ${sources})
    target_include_directories(quillstone_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    set(deps)
    foreach(dep IN LISTS arg_DEPENDS)
      list(APPEND deps quillstone_${dep})
    endforeach()
    target_link_libraries(quillstone_${name} PUBLIC ${deps} ${arg_LIBS})
  else()
    add_library(quillstone_${name} INTERFACE)
    target_include_directories(quillstone_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
  endif()
endfunction()

# Test programs: one per folder of tests/, from every .cpp in it, with the shared main
# (GoogleTest inside a QGuiApplication) unless the folder brings its own.
function(quillstone_test_folder name)
  cmake_parse_arguments(arg "OWN_MAIN" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(quillstone_${name}_tests ${sources})
  target_link_libraries(quillstone_${name}_tests PRIVATE quillstone_test_support ${arg_LIBS})
  if(NOT arg_OWN_MAIN)
    target_link_libraries(quillstone_${name}_tests PRIVATE quillstone_test_main)
  endif()
  add_test(NAME ${name} COMMAND quillstone_${name}_tests)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUILLSTONE_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    TIMEOUT 900)
endfunction()
