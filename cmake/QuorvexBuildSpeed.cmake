# What makes a clean build quicker without changing what is built: precompiled Qt and standard
# headers, and a faster linker for the trees with the tests.

# Precompiled headers: the Qt and standard headers nearly every source includes, parsed once per
# kind of target instead of once per source. Off in the fuzz build, which stays as it is.
option(QUORVEX_PCH "Precompile the Qt and standard headers most sources include" ON)
if(QUORVEX_FUZZ)
  set(QUORVEX_PCH OFF)
endif()

set(QUORVEX_PCH_CORE
    <algorithm> <array> <functional> <memory> <optional> <utility> <vector>
    <QByteArray> <QByteArrayView> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QString>
    <QStringList> <QStringView>)
set(QUORVEX_PCH_TEST <QTemporaryDir> <QTest> <QtTest>)
set(QUORVEX_PCH_UI
    <QAbstractButton> <QAction> <QApplication> <QCheckBox> <QDialog> <QKeyEvent> <QLabel>
    <QLineEdit> <QMenu> <QPainter> <QPushButton> <QRadioButton> <QStyle> <QWidget>)

# ccache caches sources compiled with a precompiled header only with this sloppiness; without it
# every such compile silently misses.
if(QUORVEX_PCH AND CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
  execute_process(COMMAND ${CMAKE_CXX_COMPILER_LAUNCHER} --get-config sloppiness
                  OUTPUT_VARIABLE QUORVEX_CCACHE_SLOPPINESS ERROR_QUIET)
  if(NOT QUORVEX_CCACHE_SLOPPINESS MATCHES "pch_defines"
     OR NOT QUORVEX_CCACHE_SLOPPINESS MATCHES "time_macros")
    message(WARNING "ccache caches nothing built with the precompiled headers unless its "
                    "sloppiness includes pch_defines,time_macros (e.g. CCACHE_SLOPPINESS="
                    "pch_defines,time_macros), or configure with -DQUORVEX_PCH=OFF")
  endif()
endif()

# quorvex_precompile(<target> <kind>...): <target> precompiles the header sets named (CORE, TEST,
# UI) for its own sources.
function(quorvex_precompile target)
  if(NOT QUORVEX_PCH)
    return()
  endif()
  set(headers)
  foreach(kind IN LISTS ARGN)
    list(APPEND headers ${QUORVEX_PCH_${kind}})
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# quorvex_reuse_precompiled(<target> <from>): <target> uses the headers <from> precompiled. Only
# for targets compiled with the same options and with the same Qt modules (the Qt headers look
# at which modules are linked, e.g. QtTest at QT_WIDGETS_LIB).
function(quorvex_reuse_precompiled target from)
  if(NOT QUORVEX_PCH)
    return()
  endif()
  target_precompile_headers(${target} REUSE_FROM ${from})
  # A test program's moc output is included by its source; what AUTOMOC compiles on its own is
  # then empty, and loading the precompiled headers would be most of its cost.
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set_source_files_properties(
      ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
      PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  endif()
endfunction()

# The test trees link some eighty programs against the sanitized libraries: lld links them about
# three times faster than the system's default linker. The release build (tests off) links as before.
option(QUORVEX_LLD "Link with lld when the tests are built and lld is installed" ON)
if(QUORVEX_LLD AND QUORVEX_BUILD_TESTS AND NOT QUORVEX_FUZZ
   AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  find_program(QUORVEX_LLD_PROGRAM NAMES ld.lld)
  if(QUORVEX_LLD_PROGRAM)
    add_link_options(-fuse-ld=lld)
  else()
    message(STATUS "ld.lld not found: the tests link with the default linker (slower)")
  endif()
endif()
