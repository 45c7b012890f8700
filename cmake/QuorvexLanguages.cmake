# Language modules: id-based Qt translations (lrelease -idbased -nounfinished) built from
# src/lang/translations/quorvex_<ru|en>.ts under the names the program looks for, the
# executable's name with the language's abbreviation as extension ("quorvex.RUS",
# "quorvex.ENG"). The Russian module is also compiled into the core as the built-in texts.

set(QUORVEX_LANGUAGE_DIR ${CMAKE_BINARY_DIR}/lang)
set(QUORVEX_LANGUAGE_CODES ru en)
set(QUORVEX_LANGUAGE_ABBREVIATIONS RUS ENG)

# quorvex_build_language_modules(<core target>): builds the modules into QUORVEX_LANGUAGE_DIR
# (target quorvex_language_modules) and adds the Russian one to <core target> as the resource
# :/quorvex/lang/quorvex.RUS.
function(quorvex_build_language_modules core)
  find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
  set(modules)
  foreach(code abbreviation IN ZIP_LISTS QUORVEX_LANGUAGE_CODES QUORVEX_LANGUAGE_ABBREVIATIONS)
    set(ts ${PROJECT_SOURCE_DIR}/src/lang/translations/quorvex_${code}.ts)
    set(module ${QUORVEX_LANGUAGE_DIR}/quorvex.${abbreviation})
    add_custom_command(OUTPUT ${module}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORVEX_LANGUAGE_DIR}
      COMMAND Qt6::lrelease -idbased -nounfinished -silent ${ts} -qm ${module}
      DEPENDS ${ts}
      COMMENT "Building the language module quorvex.${abbreviation}"
      VERBATIM)
    list(APPEND modules ${module})
  endforeach()
  add_custom_target(quorvex_language_modules DEPENDS ${modules})
  qt_add_resources(${core} quorvex_builtin_language
    PREFIX /quorvex/lang
    BASE ${QUORVEX_LANGUAGE_DIR}
    FILES ${QUORVEX_LANGUAGE_DIR}/quorvex.RUS)
  add_dependencies(${core} quorvex_language_modules)
endfunction()

# quorvex_deploy_language_modules(<executable target> [NAME <base name>] [NO_INSTALL]): puts the
# modules beside the executable whenever it is built, named after it (or after NAME, for a tool
# that reads the program's modules), and installs them beside it unless NO_INSTALL.
function(quorvex_deploy_language_modules target)
  cmake_parse_arguments(PARSE_ARGV 1 deploy "NO_INSTALL" "NAME" "")
  set(base $<TARGET_FILE_BASE_NAME:${target}>)
  if(deploy_NAME)
    set(base ${deploy_NAME})
  endif()
  set(copies)
  foreach(abbreviation IN LISTS QUORVEX_LANGUAGE_ABBREVIATIONS)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different
      ${QUORVEX_LANGUAGE_DIR}/quorvex.${abbreviation}
      $<TARGET_FILE_DIR:${target}>/${base}.${abbreviation})
  endforeach()
  add_custom_target(${target}_deploy_languages
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>
    ${copies}
    VERBATIM)
  add_dependencies(${target}_deploy_languages quorvex_language_modules)
  add_dependencies(${target} ${target}_deploy_languages)
  if(deploy_NO_INSTALL)
    return()
  endif()

  include(GNUInstallDirs)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  if(deploy_NAME)
    set(name ${deploy_NAME})
  endif()
  foreach(abbreviation IN LISTS QUORVEX_LANGUAGE_ABBREVIATIONS)
    install(FILES ${QUORVEX_LANGUAGE_DIR}/quorvex.${abbreviation}
            DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME ${name}.${abbreviation})
  endforeach()
endfunction()
