# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra)

if(QV_SANITIZE AND QV_TSAN)
  message(FATAL_ERROR "QV_SANITIZE and QV_TSAN cannot be combined")
endif()
if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QV_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# A layer library: every .cpp/.h in its folder (folders own their file lists).
function(qv_layer_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
  # A layer may start without sources of its own; an empty unit keeps the archive valid.
  set(stub ${CMAKE_CURRENT_BINARY_DIR}/${target}_unit.cpp)
  if(NOT EXISTS ${stub})
    file(WRITE ${stub} "// ${target}\n")
  endif()
  add_library(${target} STATIC ${srcs} ${stub})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()
