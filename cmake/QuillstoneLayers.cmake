# Every folder of src/ is one static library, quillstone_<folder>, built from the .cpp
# files found in it; a folder's main.cpp is its program and is built apart. A layer names
# the layers it includes (DEPENDS) and the outside libraries it uses (LIBS); AUTOMOC runs
# Qt's moc over it. scripts/check-layers holds the includes to that list.
#
# A layer exports only its own headers: its include root is a folder of the build tree
# that holds nothing but a link named after the layer to src/<folder>, so "text/x.h"
# resolves for a layer that names text (directly or through a layer it names) and for no
# other.
function(quillstone_layer name)
  cmake_parse_arguments(arg "AUTOMOC" "" "DEPENDS;LIBS" ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${name} ${root}/${name} SYMBOLIC)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${name}/main.cpp)
  set(deps)
  foreach(dep IN LISTS arg_DEPENDS)
    list(APPEND deps quillstone_${dep})
  endforeach()
  if(sources)
    add_library(quillstone_${name} STATIC ${sources})
    target_include_directories(quillstone_${name} PUBLIC ${root})
    target_link_libraries(quillstone_${name} PUBLIC ${deps} ${arg_LIBS})
    if(arg_AUTOMOC)
      set_target_properties(quillstone_${name} PROPERTIES AUTOMOC ON)
    endif()
  else()
    add_library(quillstone_${name} INTERFACE)
    target_include_directories(quillstone_${name} INTERFACE ${root})
    target_link_libraries(quillstone_${name} INTERFACE ${deps} ${arg_LIBS})
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
