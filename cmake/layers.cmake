# The layers of src/, lowest first. A folder's code may include and link only its own layer
# and the layers before it. The user-interface interfaces (ui/: message, input and wait
# boxes, the printer, the save dialog, the FTP client's interface) are at the bottom beside
# common/ and errors/, so that the store and the calculation ask and tell through them
# without knowing Qt; their Qt and libcurl sides (ui/qt, ui/ftp) and the reports' Qt side
# (reports/qt) sit above the reports, below the forms and the window that use them. The
# commands (commands/) ask the user and decide on what the store and the calculation answer;
# only the window and kavrina-cli are above them.
set(KAVRINA_LAYERS
  common errors ui settings store depreciation reports ui/qt ui/ftp reports/qt
  register import online commands app cli)

# The layer of a path relative to src/ (its longest matching layer), as an index.
function(kavrina_layer_of path out)
  set(best -1)
  set(bestLength 0)
  list(LENGTH KAVRINA_LAYERS count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    list(GET KAVRINA_LAYERS ${i} layer)
    string(LENGTH "${layer}" length)
    if((path STREQUAL layer OR path MATCHES "^${layer}/") AND length GREATER bestLength)
      set(best ${i})
      set(bestLength ${length})
    endif()
  endforeach()
  set(${out} ${best} PARENT_SCOPE)
endfunction()

function(kavrina_targets_of dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    kavrina_targets_of(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Stops the configure when a library of src/ links a library of a higher layer.
function(kavrina_check_layer_links)
  kavrina_targets_of(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/src ${dir})
    if(rel MATCHES "^\\.\\.")
      continue()
    endif()
    kavrina_layer_of("${rel}" own)
    get_target_property(links ${target} LINK_LIBRARIES)
    if(NOT links)
      continue()
    endif()
    foreach(link IN LISTS links)
      if(NOT TARGET ${link})
        continue()
      endif()
      get_target_property(linkDir ${link} SOURCE_DIR)
      if(NOT linkDir)
        continue()
      endif()
      file(RELATIVE_PATH linkRel ${PROJECT_SOURCE_DIR}/src ${linkDir})
      if(linkRel MATCHES "^\\.\\.")
        continue()
      endif()
      kavrina_layer_of("${linkRel}" other)
      if(other GREATER own)
        message(FATAL_ERROR "${target} (src/${rel}) links ${link} (src/${linkRel}), "
          "a higher layer; the order is: ${KAVRINA_LAYERS}")
      endif()
    endforeach()
  endforeach()
endfunction()
