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

# Only the dependencies, for scripts already among a target's sources.
function(zarnik_form_resource_depends rc_abs)
  get_filename_component(rc_dir "${rc_abs}" DIRECTORY)
  file(STRINGS "${rc_abs}" lines REGEX "RCDATA")
  set(depends "")
  foreach(line IN LISTS lines)
    if(line MATCHES "RCDATA[ \t]+\"([^\"]+)\"")
      list(APPEND depends "${rc_dir}/${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set_property(SOURCE "${rc_abs}" APPEND PROPERTY OBJECT_DEPENDS ${depends})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${rc_abs}")
endfunction()
