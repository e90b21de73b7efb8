# The direction of the plug-in's libraries, checked over the #include lines of every source: a
# file may include headers of its own folder and of folders lower than its own, never of a folder
# above it or beside it. Configuring fails on a violation; the script mode serves the test:
#   cmake -DROOT=<tree> -P cmake/IncludeDirection.cmake

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.20)
endif()
# Folder levels, lowest first; display and extract stand side by side.
set(TC_FOLDER_LEVELS platform=0 resources=0 archive=1 media=2 format=3 settings=4 controller=5
                     display=6 extract=6 plugin=7)
# Plain definitions that every folder may include: the settings record and plugin/'s host
# definitions, abstract host and module handle (libraries tc_settings_record and tc_plugin_base).
set(TC_BASE_HEADERS settings/Settings.h plugin/HostInterface.h plugin/HostPlayer.h plugin/Module.h)
# The one include loop by design: the archive promotes its members to media's classes.
set(TC_UPWARD_INCLUDES "archive/MemberPromotion.cpp>media")

function(tc_check_include_direction root out_var)
  foreach(entry ${TC_FOLDER_LEVELS})
    string(REPLACE "=" ";" pair ${entry})
    list(GET pair 0 folder)
    list(GET pair 1 level)
    set(level_${folder} ${level})
    list(APPEND folders ${folder})
  endforeach()
  set(errors "")
  foreach(folder ${folders})
    file(GLOB sources RELATIVE ${root} ${root}/${folder}/*.cpp ${root}/${folder}/*.h)
    foreach(source ${sources})
      file(STRINGS ${root}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(line ${lines})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
        string(REGEX MATCH "^[^/]+" target "${header}")
        if(target STREQUAL folder OR NOT DEFINED level_${target} OR header IN_LIST TC_BASE_HEADERS
           OR "${source}>${target}" IN_LIST TC_UPWARD_INCLUDES)
          continue()
        endif()
        if(NOT level_${target} LESS level_${folder})
          string(APPEND errors "  ${source} includes ${header}: ${target}/ is not below ${folder}/\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
  set(${out_var} "${errors}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND ROOT)
  tc_check_include_direction(${ROOT} errors)
  if(errors)
    message(FATAL_ERROR "Includes against the library direction:\n${errors}")
  endif()
  message(STATUS "Includes follow the library direction in ${ROOT}")
endif()
