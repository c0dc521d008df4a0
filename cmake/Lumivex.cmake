# Declarations shared by every folder: resources, export lists, modules,
# libraries, programs and tests are each built one way only.

# Compiles a resource script with the project's resource compiler and links
# the result into TARGET. The compiled resources register themselves with the
# platform when the module is loaded.
function(lumivex_resources TARGET RC)
  get_filename_component(rc_abs ${RC} ABSOLUTE)
  get_filename_component(rc_dir ${rc_abs} DIRECTORY)
  get_filename_component(rc_name ${rc_abs} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${TARGET}_${rc_name}_resources.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND lvrc ${rc_abs} -o ${out} --depfile ${out}.d -I ${rc_dir}
    DEPENDS lvrc ${rc_abs}
    DEPFILE ${out}.d
    COMMENT "Compiling resources ${RC}"
    VERBATIM)
  target_sources(${TARGET} PRIVATE ${out})
endfunction()

# Reads an export list (EXPORTS, one "name [@ordinal]" a line) and gives
# TARGET a table of its ordinals, registered with the platform on load, so
# that GetProcAddress binds by ordinal. With VERSION_SCRIPT the shared object
# exports exactly those names (and DllMain).
function(lumivex_exports TARGET DEF)
  cmake_parse_arguments(ARG "VERSION_SCRIPT" "" "" ${ARGN})
  get_filename_component(def_abs ${DEF} ABSOLUTE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_abs})
  file(STRINGS ${def_abs} lines)
  set(names "")
  set(table "")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^;" OR line MATCHES "^(EXPORTS|LIBRARY)")
      continue()
    endif()
    if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)[ \t]*(@[ \t]*([0-9]+))?")
      set(name ${CMAKE_MATCH_1})
      list(APPEND names ${name})
      if(CMAKE_MATCH_3)
        string(APPEND table "  {${CMAKE_MATCH_3}, \"${name}\"},\n")
      else()
        string(APPEND table "  {0, \"${name}\"},\n")
      endif()
    endif()
  endforeach()
  set(cpp ${CMAKE_CURRENT_BINARY_DIR}/${TARGET}_exports.cpp)
  file(WRITE ${cpp}.tmp
"// Generated from ${DEF}: the module's export list.\n"
"#include <win/lvmodule.h>\n"
"namespace {\n"
"const LvExportEntry kExports[] = {\n${table}};\n"
"struct Registrar {\n"
"  Registrar() { lvRegisterModuleExports(&kExports, kExports, sizeof kExports / sizeof kExports[0]); }\n"
"} registrar;\n"
"}  // namespace\n")
  file(COPY_FILE ${cpp}.tmp ${cpp} ONLY_IF_DIFFERENT)
  target_sources(${TARGET} PRIVATE ${cpp})
  if(ARG_VERSION_SCRIPT)
    set(map ${CMAKE_CURRENT_BINARY_DIR}/${TARGET}.map)
    set(body "{\n  global:\n    DllMain;\n")
    foreach(n IN LISTS names)
      string(APPEND body "    ${n};\n")
    endforeach()
    string(APPEND body "  local: *;\n};\n")
    file(WRITE ${map}.tmp "${body}")
    file(COPY_FILE ${map}.tmp ${map} ONLY_IF_DIFFERENT)
    target_link_options(${TARGET} PRIVATE "-Wl,--version-script=${map}")
    set_property(TARGET ${TARGET} APPEND PROPERTY LINK_DEPENDS ${map})
  endif()
endfunction()

# A loadable module of the system: plug-in (.tpi), file-I/O (.fio), album
# export (.vex), media-I/O (.mio). It lands in the staged modules folder under
# NAME + EXT, beside the DATA files (help and data files) it ships with.
function(lumivex_module)
  cmake_parse_arguments(ARG "" "NAME;EXT;RC;DEF" "SOURCES;LIBS;DATA" ${ARGN})
  add_library(${ARG_NAME} MODULE ${ARG_SOURCES})
  set_target_properties(${ARG_NAME} PROPERTIES
    PREFIX "" SUFFIX "${ARG_EXT}"
    LIBRARY_OUTPUT_DIRECTORY ${LUMIVEX_STAGE}/modules
    BUILD_RPATH "$ORIGIN/../lib")
  target_link_libraries(${ARG_NAME} PRIVATE win32 ${ARG_LIBS})
  target_link_options(${ARG_NAME} PRIVATE ${LUMIVEX_NO_UNDEFINED})
  if(ARG_RC)
    lumivex_resources(${ARG_NAME} ${ARG_RC})
  endif()
  if(ARG_DEF)
    lumivex_exports(${ARG_NAME} ${ARG_DEF} VERSION_SCRIPT)
  endif()
  foreach(data IN LISTS ARG_DATA)
    get_filename_component(data_abs ${data} ABSOLUTE)
    get_filename_component(data_name ${data} NAME)
    add_custom_command(TARGET ${ARG_NAME} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${data_abs} ${LUMIVEX_STAGE}/modules/${data_name})
  endforeach()
endfunction()

# A shared library of the platform or the stand-in host, staged in lib/.
function(lumivex_library)
  cmake_parse_arguments(ARG "" "NAME;RC;DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${ARG_NAME} SHARED ${ARG_SOURCES})
  set_target_properties(${ARG_NAME} PROPERTIES BUILD_RPATH "$ORIGIN")
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_LIBS})
  target_link_options(${ARG_NAME} PRIVATE ${LUMIVEX_NO_UNDEFINED})
  if(ARG_RC)
    lumivex_resources(${ARG_NAME} ${ARG_RC})
  endif()
  if(ARG_DEF)
    lumivex_exports(${ARG_NAME} ${ARG_DEF})
  endif()
endfunction()

# A program, staged in bin/.
function(lumivex_program)
  cmake_parse_arguments(ARG "" "NAME;RC" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  set_target_properties(${ARG_NAME} PROPERTIES BUILD_RPATH "$ORIGIN/../lib")
  target_link_libraries(${ARG_NAME} PRIVATE win32 ${ARG_LIBS})
  if(ARG_RC)
    lumivex_resources(${ARG_NAME} ${ARG_RC})
  endif()
endfunction()

# A GoogleTest program registered with CTest. Every test program runs with a
# fresh platform prefix of its own (see platform/testsupport) and knows the
# staged installation through LUMIVEX_STAGE_DIR.
function(lumivex_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS;DEPENDS" ${ARGN})
  if(NOT LUMIVEX_TESTS)
    return()
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  set_target_properties(${ARG_NAME} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    BUILD_RPATH "${LUMIVEX_STAGE}/lib")
  target_link_libraries(${ARG_NAME} PRIVATE lvtestsupport win32 ${ARG_LIBS} GTest::gtest)
  if(ARG_DEPENDS)
    add_dependencies(${ARG_NAME} ${ARG_DEPENDS})
  endif()
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set_tests_properties(${ARG_NAME} PROPERTIES
    ENVIRONMENT "LUMIVEX_STAGE_DIR=${LUMIVEX_STAGE};LUMIVEX_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

# A fuzz target for a parser of outside data: SOURCES define
# LLVMFuzzerTestOneInput, CORPUS is the folder of seed inputs (kept in the
# repository, minimised crash cases included). With LUMIVEX_FUZZ the target is
# a libFuzzer program (scripts/fuzz.sh runs it); otherwise it is a program that
# replays the seeds once, registered as a test, so every test run checks them
# (under the sanitizers in the sanitize build).
function(lumivex_fuzz)
  cmake_parse_arguments(ARG "" "NAME;CORPUS" "SOURCES;LIBS;DEPENDS" ${ARGN})
  get_filename_component(corpus ${ARG_CORPUS} ABSOLUTE)
  if(LUMIVEX_FUZZ)
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_options(${ARG_NAME} PRIVATE -fsanitize=fuzzer)
    if(NOT TARGET fuzz_targets)
      add_custom_target(fuzz_targets)
    endif()
    add_dependencies(fuzz_targets ${ARG_NAME})
    set_property(GLOBAL APPEND PROPERTY LUMIVEX_FUZZ_TARGETS "${ARG_NAME}|${corpus}")
  elseif(LUMIVEX_TESTS)
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE lvfuzzreplay)
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME} ${corpus})
    set_tests_properties(${ARG_NAME} PROPERTIES
      ENVIRONMENT "LUMIVEX_STAGE_DIR=${LUMIVEX_STAGE};LUMIVEX_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  else()
    return()
  endif()
  set_target_properties(${ARG_NAME} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz
    BUILD_RPATH "${LUMIVEX_STAGE}/lib")
  target_link_libraries(${ARG_NAME} PRIVATE lvfuzzsupport win32 ${ARG_LIBS})
  if(ARG_DEPENDS)
    add_dependencies(${ARG_NAME} ${ARG_DEPENDS})
  endif()
endfunction()

# Writes the fuzz targets declared so far, one "program|seed folder" a line.
function(lumivex_fuzz_list OUT)
  get_property(entries GLOBAL PROPERTY LUMIVEX_FUZZ_TARGETS)
  set(content "")
  foreach(entry IN LISTS entries)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 corpus)
    string(APPEND content "$<TARGET_FILE:${name}>|${corpus}\n")
  endforeach()
  file(GENERATE OUTPUT ${OUT} CONTENT "${content}")
endfunction()
