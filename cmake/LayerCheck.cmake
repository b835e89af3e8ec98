# The core and the dialog models must stay free of Qt. This check runs at configure time
# over the targets registered with fiscora_plain_target() and fails when any links a Qt library.
set_property(GLOBAL PROPERTY FISCORA_PLAIN_TARGETS "")

function(fiscora_plain_target target)
  set_property(GLOBAL APPEND PROPERTY FISCORA_PLAIN_TARGETS ${target})
endfunction()

function(_fiscora_collect_links target out)
  set(seen ${${out}})
  get_target_property(libs ${target} LINK_LIBRARIES)
  get_target_property(ilibs ${target} INTERFACE_LINK_LIBRARIES)
  foreach(lib IN LISTS libs ilibs)
    if(lib AND NOT lib IN_LIST seen)
      list(APPEND seen ${lib})
      if(TARGET ${lib})
        _fiscora_collect_links(${lib} seen)
      endif()
    endif()
  endforeach()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(fiscora_check_layers)
  get_property(targets GLOBAL PROPERTY FISCORA_PLAIN_TARGETS)
  foreach(t IN LISTS targets)
    set(links "")
    _fiscora_collect_links(${t} links)
    foreach(lib IN LISTS links)
      if(lib MATCHES "Qt[0-9]*::|Qt[0-9]*(Core|Gui|Widgets|PrintSupport)")
        message(FATAL_ERROR "${t} must not depend on Qt, but links ${lib}")
      endif()
    endforeach()
  endforeach()
endfunction()

# The core folders and the dialog model folders each form layers (cmake/CoreLayers.cmake,
# cmake/UiLayers.cmake). A check runs at build time whenever a file of its folders changes,
# before `target` compiles. `script` names the check; the folders are below `source_dir`.
function(fiscora_check_folder_layers target source_dir script)
  set(globs "")
  foreach(folder IN LISTS ARGN)
    list(APPEND globs "${source_dir}/${folder}/*.h" "${source_dir}/${folder}/*.cpp")
  endforeach()
  file(GLOB_RECURSE checked_files CONFIGURE_DEPENDS ${globs})
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}_layers.stamp")
  add_custom_command(
    OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${source_dir} -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/${script}
    DEPENDS ${checked_files} ${PROJECT_SOURCE_DIR}/cmake/${script}
            ${PROJECT_SOURCE_DIR}/cmake/FolderLayers.cmake
    COMMENT "Checking the direction of includes (${script})"
    VERBATIM)
  add_custom_target(${target}_layers DEPENDS "${stamp}")
  add_dependencies(${target} ${target}_layers)
endfunction()
