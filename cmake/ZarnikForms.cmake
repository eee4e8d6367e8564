# Form descriptions compiled into a program as resources.
#
# A resource script lists each form's description as an RCDATA resource named after the form's
# class, with a path relative to the script:
#
#     TFMMAIN RCDATA "forms/fmMain.zfm"
#
# zarnik_form_resources(<target> <script.rc>) adds the script to the target (an executable: a
# resource in a static library would be dropped by the linker) and makes every description it
# names a dependency, so editing a description rebuilds the resources.
function(zarnik_form_resources target rc)
  get_filename_component(rc_abs "${rc}" ABSOLUTE)
  zarnik_form_resource_depends("${rc_abs}")
  target_sources(${target} PRIVATE "${rc_abs}")
endfunction()

# Only the dependencies, for scripts already among a target's sources. A script may include
# another by a path relative to itself (#include "../res/Other.rc"): the included
# script's files become dependencies too, and its folder is searched for the files it names.
function(zarnik_form_resource_depends rc_abs)
  _zarnik_rc_files("${rc_abs}" depends folders)
  set_property(SOURCE "${rc_abs}" APPEND PROPERTY OBJECT_DEPENDS ${depends})
  if(folders)
    set_property(SOURCE "${rc_abs}" APPEND PROPERTY INCLUDE_DIRECTORIES ${folders})
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${rc_abs}")
endfunction()

# The files a script names (a resource of any type, NAME TYPE "file"), the headers and scripts
# it includes and theirs, and the folders of the included scripts.
function(_zarnik_rc_files rc_abs out_files out_folders)
  get_filename_component(rc_dir "${rc_abs}" DIRECTORY)
  set(resource_line "^[ \t]*[A-Za-z0-9_]+[ \t]+[A-Za-z0-9_]+[ \t]+\"([^\"]+)\"")
  file(STRINGS "${rc_abs}" lines REGEX "${resource_line}|^#include")
  set(files "")
  set(folders "")
  foreach(line IN LISTS lines)
    set(named "")
    if(line MATCHES "${resource_line}")
      set(named "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^#include[ \t]+\"([^\"]+\\.h)\"")
      set(named "${CMAKE_MATCH_1}")
    endif()
    if(named)
      # Only files beside the script: the others are found on the include path.
      if(EXISTS "${rc_dir}/${named}")
        list(APPEND files "${rc_dir}/${named}")
      endif()
    elseif(line MATCHES "^#include[ \t]+\"([^\"]+\\.rc)\"")
      get_filename_component(included "${rc_dir}/${CMAKE_MATCH_1}" ABSOLUTE)
      if(EXISTS "${included}")
        _zarnik_rc_files("${included}" nested_files nested_folders)
        get_filename_component(included_dir "${included}" DIRECTORY)
        list(APPEND files "${included}" ${nested_files})
        list(APPEND folders "${included_dir}" ${nested_folders})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${included}")
      endif()
    endif()
  endforeach()
  set(${out_files} ${files} PARENT_SCOPE)
  set(${out_folders} ${folders} PARENT_SCOPE)
endfunction()
