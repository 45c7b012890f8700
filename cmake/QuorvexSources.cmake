# Sources are picked up per named folder, never by a recursive glob, and a check at the end of
# the configuration makes sure every source file under src/ belongs to some target.

# quorvex_folder_sources(<out-var> <folder>...): the .cpp files of the named folders of src/.
function(quorvex_folder_sources out)
  set(sources)
  foreach(folder IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# Fails the configuration when a .cpp file below `root` is in none of `targets`.
function(quorvex_check_claimed root)
  set(claimed)
  foreach(target IN LISTS ARGN)
    if(TARGET ${target})
      get_target_property(sources ${target} SOURCES)
      get_target_property(dir ${target} SOURCE_DIR)
      foreach(source IN LISTS sources)
        get_filename_component(source ${source} ABSOLUTE BASE_DIR ${dir})
        list(APPEND claimed ${source})
      endforeach()
    endif()
  endforeach()
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${root}/*.cpp)
  foreach(source IN LISTS all)
    if(NOT source IN_LIST claimed)
      message(FATAL_ERROR "${source} belongs to no target: name its folder in a CMakeLists.txt")
    endif()
  endforeach()
endfunction()
