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

# The shipped files of data/ (its top level; the folders below hold the desktop files, man
# pages and completion that cmake/QuillstoneInstall.cmake installs elsewhere), copied
# beside the programs so that a build tree runs like an installed program (see
# platform/program_directory.h).
set(QUILLSTONE_BIN_DIR ${PROJECT_BINARY_DIR}/bin)
file(GLOB QUILLSTONE_DATA_FILES LIST_DIRECTORIES false CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
set(data_outputs)
foreach(file IN LISTS QUILLSTONE_DATA_FILES)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${QUILLSTONE_BIN_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${QUILLSTONE_BIN_DIR}/${name}
    DEPENDS ${file})
  list(APPEND data_outputs ${QUILLSTONE_BIN_DIR}/${name})
endforeach()
add_custom_target(quillstone_data ALL DEPENDS ${data_outputs})

# A program of the project (the window, the command line): built into bin/ beside the data.
function(quillstone_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUILLSTONE_BIN_DIR})
  add_dependencies(${target} quillstone_data)
endfunction()
